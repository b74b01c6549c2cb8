#pragma once

#include <cstdint>

#include "common/clock.h"

namespace common {

// Seconds from 1601, where the system's file times count from, to 1970.
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;

// The local time of a UTC second by the time zone's rule for that day (summer
// time or not), past 2038 too; all zero when the system cannot say.
LocalTime LocalTimeAt(int64_t unixSeconds);

}  // namespace common
