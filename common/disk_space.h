#pragma once

#include <cstdint>

namespace common {

// Settings, statistics and reports are written only above this many free bytes.
constexpr double kMinFreeBytes = 2000000.0;

// Free bytes from the drive geometry. The cluster size is formed in 32 bits, the
// product with the free clusters in double so that large drives do not wrap.
double FreeBytesFromGeometry(uint32_t sectorsPerCluster, uint32_t bytesPerSector, uint32_t freeClusters);

// What FreeDiskBytes answers when the drive cannot be asked: enough. Every write
// is checked and replaces its file only when complete, so trying costs nothing,
// while refusing would silently drop the statistics and reports.
double FreeBytesWhenUnknown();

bool EnoughFreeSpace(double freeBytes);

}  // namespace common
