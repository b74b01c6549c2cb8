#include "tracer/trace_channel.h"

#include <algorithm>
#include <cstring>

#include "common/message_text.h"

namespace vizo {

uint32_t TraceBuffer::Word(size_t offset) const {
    return static_cast<uint32_t>(bytes_[offset]) | static_cast<uint32_t>(bytes_[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes_[offset + 2]) << 16 | static_cast<uint32_t>(bytes_[offset + 3]) << 24;
}

void TraceBuffer::SetWord(size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        bytes_[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint32_t TraceBuffer::ReplyCount() const {
    return std::min(Word(4), kTextLimit);
}

void TraceBuffer::SetRequest(const std::string& text) {
    const size_t length = std::min<size_t>(text.size(), kTextLimit - 1);
    std::memcpy(Text(), text.data(), length);
    Text()[length] = '\0';
}

TraceChannel::TraceChannel(common::DeviceOpener& opener, uint32_t platformId, DriverKind kind, common::Alerts& alerts)
    : connection_(opener, platformId,
                  {common::kAccessReadWrite, common::kShareReadWrite, common::kShareReadWrite, common::kShareRead}),
      kind_(kind),
      alerts_(alerts) {}

bool TraceChannel::OpenIfNeeded() {
    if (connection_.IsOpen()) {
        return true;
    }
    if (connection_.IsNt() && kind_ == kKindUndetermined) {
        for (const char* path : {common::kNtDevicePath, common::kKorvexDevicePath}) {
            if (connection_.Open(path)) {
                path_ = path;
                return true;
            }
        }
        Report("Could not open driver");
        return false;
    }
    const char* path = !connection_.IsNt()      ? common::kWin95DevicePath
                       : kind_ == kKindKorvex ? common::kKorvexDevicePath
                                              : common::kNtDevicePath;
    if (!connection_.Open(path)) {
        Report(common::FormatMessageTextF("Could not open file: %s, error:%d", path,
                                          static_cast<int>(connection_.LastError())));
        return false;
    }
    path_ = path;
    return true;
}

int TraceChannel::Exchange(TraceBuffer& buffer, uint32_t& returned) {
    returned = 0;
    if (!OpenIfNeeded()) {
        return kExchangeNoDriver;
    }
    if (!connection_.Trace(buffer.Bytes())) {
        const uint32_t error = connection_.LastError();
        // A handle to a driver that went away never works again, even once
        // the driver is back.
        connection_.Close();
        Report(common::FormatMessageTextF("Error %d(%xH) from ioctl", static_cast<int>(error), error));
        return kExchangeFailed;
    }
    returned = connection_.BytesReturned();
    buffer.Text()[buffer.ReplyCount()] = '\0';
    if (outage_) {
        outage_ = false;
        reconnected_ = true;
    }
    return kExchangeOk;
}

bool TraceChannel::TakeReconnected() {
    const bool reconnected = reconnected_;
    reconnected_ = false;
    return reconnected;
}

void TraceChannel::Report(const std::string& text) {
    if (outage_) {
        return;
    }
    outage_ = true;
    alerts_.Alert(text);
}

}  // namespace vizo
