// Dates of the Gregorian calendar as days since 1970-01-01 and back, for any
// year up to 65535: no time zone and no library, whose Windows runtime stops
// at 3000.
#pragma once

#include <cstdint>

#include "common/clock.h"

namespace common {

int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day);

// Seconds since 1970-01-01 00:00 as a date and a time of day.
LocalTime CivilTimeOf(int64_t seconds);

// The other way: a date and time of day as seconds since 1970-01-01 00:00.
int64_t SecondsOfCivil(const LocalTime& time);

}  // namespace common
