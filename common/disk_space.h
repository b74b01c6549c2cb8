#pragma once

namespace common {

// Settings, statistics and reports are written only above this many free bytes.
constexpr double kMinFreeBytes = 2000000.0;

// What FreeDiskBytes answers when the drive cannot be asked: enough. Every write
// is checked and replaces its file only when complete, so trying costs nothing,
// while refusing would silently drop the statistics and reports.
double FreeBytesWhenUnknown();

bool EnoughFreeSpace(double freeBytes);

}  // namespace common
