// The trace exchange with the board's driver: one buffer out, trace text back.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/alerts.h"
#include "common/device_io.h"
#include "tracer/start_options.h"

namespace vizo {

constexpr uint32_t kTraceRequest = 13;
constexpr uint32_t kExchangeSize = 10100;
constexpr size_t kTraceBufferSize = 11000;
constexpr size_t kTextOffset = 16;
constexpr uint32_t kTextLimit = kExchangeSize - kTextOffset;
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

    // Opens the driver on first use, then one exchange. On kExchangeOk the reply
    // text is terminated after its count and `returned` is the driver's byte
    // count; otherwise the reason has been shown and `returned` is 0.
    int Exchange(TraceBuffer& buffer, uint32_t& returned);

private:
    bool OpenIfNeeded();
    bool OpenWin95();
    void Report(const std::string& text);

    common::DeviceOpener& opener_;
    const bool nt_;
    const DriverKind kind_;
    common::Alerts& alerts_;
    std::unique_ptr<common::Device> device_;
    // Texts of the error boxes open right now; boxes are modal, so a timer tick
    // can fail again while one is up.
    std::vector<std::string> openReports_;
};

}  // namespace vizo
