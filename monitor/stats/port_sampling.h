// What one tick and each period end do to a port's statistics record.
#pragma once

#include <cstdint>

#include "monitor/stats/port_tables.h"

namespace zorvel {

// Characters per second, truncated. Formed in 64 bits and held at 2^32 - 1: a
// fast port passes more than 4,294,967 characters in a minute, and a wrapped
// product would show a small rate for a busy port. `ms` is never 0.
uint32_t CharsPerSecond(uint32_t count, uint32_t ms);

// Folds the live slot into the record. `elapsed` is 0 when the tick's time is not
// usable for rates: counts still go in, rates and carrier time do not.
void SamplePort(StatsRecord& record, const CounterSlot& slot, uint32_t elapsed);

// `minuteMs` is the time the ended minute's ticks covered; 0 keeps the last rates.
void EndMinute(StatsRecord& record, uint32_t minuteMs);
void EndHour(StatsRecord& record);
void EndDay(StatsRecord& record);

}  // namespace zorvel
