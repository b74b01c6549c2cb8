// The trace exchange with the board's driver: one buffer out, trace text back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/alerts.h"
#include "common/device_io.h"
#include "common/driver_connection.h"
#include "tracer/start_options.h"

namespace vizo {

constexpr size_t kTraceBufferSize = 11000;
constexpr size_t kTextOffset = TP_HEADER_SIZE;
constexpr uint32_t kTextLimit = TP_TRACE_TEXT_ROOM;
static_assert(kTextOffset + kTextLimit < kTraceBufferSize, "room for the reply's terminator");

// The one block every exchange passes in and takes back: a 16-byte header
// (request code, exchange size / reply count, 8 bytes the driver owns), then
// the request or reply text.
class TraceBuffer {
public:
    uint8_t* Bytes() { return bytes_.data(); }
    char* Text() { return reinterpret_cast<char*>(bytes_.data() + kTextOffset); }
    const char* Text() const { return reinterpret_cast<const char*>(bytes_.data() + kTextOffset); }

    uint32_t Word(size_t offset) const;
    void SetWord(size_t offset, uint32_t value);

    // The reply's text count, cut to the text area so that no caller reads or
    // writes past it whatever the driver claims.
    uint32_t ReplyCount() const;

    // Copies a request text, cut to the text area, and terminates it.
    void SetRequest(const std::string& text);

private:
    std::array<uint8_t, kTraceBufferSize> bytes_{};
};

enum ExchangeResult : int { kExchangeOk = 0, kExchangeNoDriver = 1, kExchangeFailed = 3 };

class TraceChannel {
public:
    TraceChannel(common::DeviceOpener& opener, uint32_t platformId, DriverKind kind, common::Alerts& alerts);

    // Opens the driver when no handle is open, then one exchange. On kExchangeOk
    // the reply text is terminated after its count and `returned` is the
    // driver's byte count; otherwise `returned` is 0, the handle is closed so
    // that a later exchange opens the driver anew (it may have been restarted),
    // and the first failure of an outage has been shown.
    int Exchange(TraceBuffer& buffer, uint32_t& returned);

    // True once after the first good exchange that ends an outage.
    bool TakeReconnected();

    // Opens the driver when no handle is open; false (and said) when it cannot.
    bool OpenIfNeeded();
    // The device path last opened.
    const char* DevicePath() const { return path_; }

private:
    void Report(const std::string& text);

    common::DriverConnection connection_;
    const DriverKind kind_;
    common::Alerts& alerts_;
    const char* path_ = "";
    // From a failed exchange to the next good one. Set before its box shows:
    // the box is modal, and timer ticks fail again while it is up.
    bool outage_ = false;
    bool reconnected_ = false;
};

}  // namespace vizo
