#include "tracer/trace_channel.h"

#include <algorithm>
#include <cstring>

#include "common/driver_codes.h"
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
    : opener_(opener), nt_(platformId == common::kPlatformNt), kind_(kind), alerts_(alerts) {}

bool TraceChannel::OpenIfNeeded() {
    if (device_) {
        return true;
    }
    if (!nt_) {
        return OpenWin95();
    }
    if (kind_ == kKindUndetermined) {
        device_ = opener_.Open(common::kNtDevicePath, common::kAccessReadWrite, common::kShareReadWrite);
        if (!device_) {
            device_ = opener_.Open(common::kKorvexDevicePath, common::kAccessReadWrite, common::kShareReadWrite);
        }
        if (!device_) {
            Report("Could not open driver");
        }
        return device_ != nullptr;
    }
    const char* path = kind_ == kKindKorvex ? common::kKorvexDevicePath : common::kNtDevicePath;
    device_ = opener_.Open(path, common::kAccessReadWrite, common::kShareReadWrite);
    if (!device_) {
        Report(common::FormatMessageTextF("Could not open file: %s, error:%d", path,
                                          static_cast<int>(opener_.LastError())));
    }
    return device_ != nullptr;
}

bool TraceChannel::OpenWin95() {
    auto serial = opener_.Open(common::kWin95SerialPath, common::kAccessReadWrite, common::kShareReadWrite);
    device_ = opener_.Open(common::kWin95DevicePath, common::kAccessReadWrite, common::kShareReadWrite);
    if (!device_) {
        Report(common::FormatMessageTextF("Could not open file: %s, error:%d", common::kWin95DevicePath,
                                          static_cast<int>(opener_.LastError())));
        return false;
    }
    if (serial) {
        serial.reset();
        opener_.Open(common::kWin95SerialPath, common::kAccessReadWrite, common::kShareRead);
    }
    return true;
}

int TraceChannel::Exchange(TraceBuffer& buffer, uint32_t& returned) {
    returned = 0;
    if (!OpenIfNeeded()) {
        return kExchangeNoDriver;
    }
    buffer.SetWord(0, kTraceRequest);
    buffer.SetWord(4, kExchangeSize);
    const uint32_t code = nt_ ? common::kNtControlCode : common::kWin95ControlCode;
    if (!device_->Control(code, buffer.Bytes(), kExchangeSize, kExchangeSize)) {
        const uint32_t error = device_->LastError();
        // A handle to a driver that went away never works again, even once
        // the driver is back.
        device_.reset();
        Report(common::FormatMessageTextF("Error %d(%xH) from ioctl", static_cast<int>(error), error));
        return kExchangeFailed;
    }
    returned = device_->BytesReturned();
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
