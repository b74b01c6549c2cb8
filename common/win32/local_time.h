#pragma once

#include <cstdint>

#include "common/clock.h"

namespace common {

// The local time of a UTC second by the time zone's rule for that day (summer
// time or not), past 2038 too; all zero when the system cannot say.
LocalTime LocalTimeAt(int64_t unixSeconds);

}  // namespace common
