// Seam to a device reached by path and I/O control code.
#pragma once

#include <cstdint>
#include <memory>

namespace common {

// Access and share values as the platform defines them.
constexpr uint32_t kAccessNone = 0;
constexpr uint32_t kAccessReadWrite = 0xC0000000u;  // generic read | generic write
constexpr uint32_t kShareNone = 0;
constexpr uint32_t kShareRead = 1;
constexpr uint32_t kShareReadWrite = 3;

// An open device; closing it is the destructor's job.
class Device {
public:
    virtual ~Device() = default;
    // One control call with the same buffer as input and output; true when the
    // platform call reported success.
    virtual bool Control(uint32_t code, void* buffer, uint32_t inSize, uint32_t outSize) = 0;
    // After a successful Control: the byte count the driver reported.
    virtual uint32_t BytesReturned() const = 0;
    // After a failed Control: the platform's error code.
    virtual uint32_t LastError() const = 0;
};

class DeviceOpener {
public:
    virtual ~DeviceOpener() = default;
    // Null when the path cannot be opened.
    virtual std::unique_ptr<Device> Open(const char* path, uint32_t access, uint32_t share) = 0;
    // After a failed Open: the platform's error code.
    virtual uint32_t LastError() const = 0;
};

}  // namespace common
