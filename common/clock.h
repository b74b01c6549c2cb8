// Seam to the system clock: the millisecond tick count and the local time.
#pragma once

#include <cstdint>

namespace common {

// The fields of the local time the programs look at.
struct LocalTime {
    uint16_t Year;
    uint16_t Month;
    uint16_t Day;  // of the month
    uint16_t Hour;
    uint16_t Minute;
    uint16_t Second;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since the system started; wraps after about 49.7 days.
    virtual uint32_t TickCount() = 0;
    virtual LocalTime Now() = 0;
    // Seconds since 1970 in UTC, which daylight saving does not move.
    virtual int64_t UnixSeconds() = 0;
};

}  // namespace common
