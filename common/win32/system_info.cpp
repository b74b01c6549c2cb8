#include "common/win32/system_info.h"

#include "common/driver_codes.h"

namespace common {

static_assert(kPlatformNt == VER_PLATFORM_WIN32_NT, "the core's platform id is the platform's");

DWORD PlatformId() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    static_assert(sizeof(OSVERSIONINFOA) == 148, "the Windows 95 version record");
    if (!GetVersionExA(&version)) {
        return kPlatformNt;
    }
    return version.dwPlatformId;
}

std::string CurrentDirectory() {
    const DWORD size = GetCurrentDirectoryA(0, nullptr);
    std::string directory(size, '\0');
    const DWORD length = GetCurrentDirectoryA(size, &directory[0]);
    directory.resize(length < size ? length : 0);
    return directory;
}

void RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace common
