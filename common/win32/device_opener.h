#pragma once

#include "common/device_io.h"

namespace common {

// CreateFileA and DeviceIoControl.
class Win32DeviceOpener : public DeviceOpener {
public:
    std::unique_ptr<Device> Open(const char* path, uint32_t access, uint32_t share) override;
    uint32_t LastError() const override { return lastError_; }

private:
    uint32_t lastError_ = 0;
};

}  // namespace common
