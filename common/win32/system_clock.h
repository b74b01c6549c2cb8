#pragma once

#include "common/clock.h"

namespace common {

// GetTickCount and GetLocalTime.
class SystemClock : public Clock {
public:
    uint32_t TickCount() override;
    LocalTime Now() override;
};

}  // namespace common
