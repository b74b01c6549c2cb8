#include "common/disk_space.h"

#include <limits>

namespace common {

double FreeBytesFromGeometry(uint32_t sectorsPerCluster, uint32_t bytesPerSector, uint32_t freeClusters) {
    const uint32_t clusterBytes = sectorsPerCluster * bytesPerSector;
    return static_cast<double>(clusterBytes) * static_cast<double>(freeClusters);
}

double FreeBytesWhenUnknown() {
    return std::numeric_limits<double>::max();
}

bool EnoughFreeSpace(double freeBytes) {
    return freeBytes > kMinFreeBytes;
}

}  // namespace common
