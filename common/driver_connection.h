// The board's driver as every program here reaches it: opened the way the
// platform wants, one typed call per request, and the platform's error and
// byte count kept for whoever reports them.
#pragma once

#include <cstdint>
#include <memory>

#include "common/device_io.h"
#include "common/driver_codes.h"

namespace common {

// What a program asks for when it opens the driver and, on Windows 95, COM5
// (always for reading and writing): around the driver's open, and once more
// after it.
struct OpenModes {
    uint32_t Access;
    uint32_t Share;
    uint32_t SerialShare;
    uint32_t SerialReopenShare;
};

class DriverConnection {
public:
    DriverConnection(DeviceOpener& opener, uint32_t platformId, OpenModes modes);

    bool IsNt() const { return nt_; }
    bool IsOpen() const { return device_ != nullptr; }

    // Opens `ntPath` on Windows NT, or on Windows 95 the VxD, which wants COM5
    // opened around its own open and then once more (a missing COM5 is no
    // reason to fail). False when the driver cannot be opened.
    bool Open(const char* ntPath);
    // A later request needs Open again.
    void Close() { device_.reset(); }

    // Each fills the request header and exchanges `size` bytes of the table
    // that follows it, in and out; false when the platform call failed.
    bool ListPorts(TpRequestHeader& table, uint32_t size);
    bool ReadCounters(TpRequestHeader& table, uint32_t size);
    // Exchanges one trace block of TP_TRACE_EXCHANGE_SIZE bytes.
    bool Trace(void* block);

    // After a failed Open or request: the platform's error code.
    uint32_t LastError() const { return lastError_; }
    // After a request: the byte count the driver reported, 0 when it failed.
    uint32_t BytesReturned() const { return returned_; }

private:
    bool Control(void* buffer, uint32_t size);

    DeviceOpener& opener_;
    const bool nt_;
    const OpenModes modes_;
    std::unique_ptr<Device> device_;
    uint32_t lastError_ = 0;
    uint32_t returned_ = 0;
};

}  // namespace common
