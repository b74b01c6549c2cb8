#pragma once

#include "common/clock.h"

namespace common {

// GetTickCount and GetLocalTime.
class SystemClock : public Clock {
public:
    uint32_t TickCount() override;
    LocalTime Now() override;
    int64_t UnixSeconds() override;
};

// Milliseconds since the system started, never wrapping.
uint64_t SteadyMilliseconds();

}  // namespace common
