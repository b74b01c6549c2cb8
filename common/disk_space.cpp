#include "common/disk_space.h"

#include <limits>

namespace common {

double FreeBytesWhenUnknown() {
    return std::numeric_limits<double>::max();
}

bool EnoughFreeSpace(double freeBytes) {
    return freeBytes > kMinFreeBytes;
}

}  // namespace common
