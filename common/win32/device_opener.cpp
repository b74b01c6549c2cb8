#include "common/win32/device_opener.h"

#include <windows.h>

#include "common/win32/scoped.h"

namespace common {
namespace {

static_assert(kAccessReadWrite == (GENERIC_READ | GENERIC_WRITE) && kShareRead == FILE_SHARE_READ &&
                  kShareReadWrite == (FILE_SHARE_READ | FILE_SHARE_WRITE) && kShareNone == 0 && kAccessNone == 0,
              "the core's access and share values are the platform's");

class Win32Device : public Device {
public:
    explicit Win32Device(HANDLE handle) : handle_(handle) {}

    bool Control(uint32_t code, void* buffer, uint32_t inSize, uint32_t outSize) override {
        DWORD returned = 0;
        const bool done =
            DeviceIoControl(handle_.Get(), code, buffer, inSize, buffer, outSize, &returned, nullptr) == TRUE;
        returned_ = done ? returned : 0;
        lastError_ = done ? 0 : GetLastError();
        return done;
    }
    uint32_t BytesReturned() const override { return returned_; }
    uint32_t LastError() const override { return lastError_; }

private:
    UniqueFile handle_;
    uint32_t returned_ = 0;
    uint32_t lastError_ = 0;
};

}  // namespace

std::unique_ptr<Device> Win32DeviceOpener::Open(const char* path, uint32_t access, uint32_t share) {
    HANDLE handle = CreateFileA(path, access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        lastError_ = GetLastError();
        return nullptr;
    }
    return std::make_unique<Win32Device>(handle);
}

}  // namespace common
