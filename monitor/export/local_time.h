// Local time as the platform has it: the system's time zone on Windows, as
// the monitor's graph and reports show it; the C library's (TZ where set)
// elsewhere.
#pragma once

#include <cstdint>
#include <optional>

#include "common/clock.h"

namespace zorvel {

// None where the platform has no answer.
std::optional<common::LocalTime> PlatformLocalTime(int64_t unixSeconds);

}  // namespace zorvel
