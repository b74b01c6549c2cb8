#pragma once

#include "common/device_io.h"

namespace common {

// CreateFileA and DeviceIoControl.
class Win32DeviceOpener : public DeviceOpener {
public:
    std::unique_ptr<Device> Open(const char* path, uint32_t access, uint32_t share) override;
};

}  // namespace common
