#include "common/win32/device_opener.h"

#include <windows.h>

namespace common {
namespace {

class Win32Device : public Device {
public:
    explicit Win32Device(HANDLE handle) : handle_(handle) {}
    ~Win32Device() override { CloseHandle(handle_); }
    Win32Device(const Win32Device&) = delete;
    Win32Device& operator=(const Win32Device&) = delete;

    bool Control(uint32_t code, void* buffer, uint32_t inSize, uint32_t outSize) override {
        DWORD returned = 0;
        return DeviceIoControl(handle_, code, buffer, inSize, buffer, outSize, &returned, nullptr) == TRUE;
    }

private:
    HANDLE handle_;
};

}  // namespace

std::unique_ptr<Device> Win32DeviceOpener::Open(const char* path, uint32_t access, uint32_t share) {
    HANDLE handle = CreateFileA(path, access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<Win32Device>(handle);
}

}  // namespace common
