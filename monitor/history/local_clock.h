// Local times for one drawing, from a time zone asked as little as it can be:
// asking it for every one of a day's 1,440 points costs a repaint many times
// what it draws.
#pragma once

#include <climits>
#include <cstdint>
#include <functional>

#include "common/clock.h"

namespace zorvel {

// Local time of a UTC second, as the platform's time zone has it then.
using LocalTimeOf = std::function<common::LocalTime(int64_t unixSeconds)>;

// Asks once a UTC day, and on a day whose offset from UTC changes some twenty
// times more, to find the second it changes at (a half-hour zone's change
// included). One change a day at most, as every zone has it.
class LocalClock {
public:
    explicit LocalClock(LocalTimeOf zone) : zone_(std::move(zone)) {}
    common::LocalTime operator()(int64_t unixSeconds);

private:
    int64_t OffsetAt(int64_t unixSeconds);
    int64_t Asked(int64_t unixSeconds) const;

    LocalTimeOf zone_;
    int64_t day_ = INT64_MIN;
    int64_t before_ = 0;          // the offset at the day's start
    int64_t change_ = INT64_MAX;  // the first second of `after_`, if the day has one
    int64_t after_ = 0;
};

}  // namespace zorvel
