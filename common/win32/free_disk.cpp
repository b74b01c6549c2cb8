#include "common/win32/free_disk.h"

#include <windows.h>

#include "common/disk_space.h"

namespace common {

double FreeDiskBytes(const std::string& folder) {
    // The folder itself, not its drive's root: a full volume may be mounted
    // under a roomy one.
    ULARGE_INTEGER available;
    const std::string path = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
    if (!GetDiskFreeSpaceExA(path.empty() ? nullptr : path.c_str(), &available, nullptr, nullptr)) {
        return FreeBytesWhenUnknown();
    }
    return static_cast<double>(available.QuadPart);
}

}  // namespace common
