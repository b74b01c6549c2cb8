#include "monitor/history/local_clock.h"

#include "common/civil_time.h"

namespace zorvel {

common::LocalTime LocalClock::operator()(int64_t unixSeconds) {
    return common::CivilTimeOf(unixSeconds + OffsetAt(unixSeconds));
}

// A zone that cannot say counts as UTC rather than as a date of year 0.
int64_t LocalClock::Asked(int64_t unixSeconds) const {
    const common::LocalTime local = zone_(unixSeconds);
    return local.Year == 0 ? 0 : common::SecondsOfCivil(local) - unixSeconds;
}

int64_t LocalClock::OffsetAt(int64_t unixSeconds) {
    const int64_t day = unixSeconds >= 0 ? unixSeconds / 86400 : (unixSeconds - 86399) / 86400;
    if (day != day_) {
        day_ = day;
        const int64_t start = day * 86400;
        before_ = Asked(start);
        change_ = INT64_MAX;
        int64_t hi = start + 86400;
        if (Asked(hi) != before_) {
            int64_t lo = start;
            while (hi - lo > 1) {
                const int64_t mid = lo + (hi - lo) / 2;
                (Asked(mid) == before_ ? lo : hi) = mid;
            }
            change_ = hi;
            after_ = Asked(hi);
        }
    }
    return unixSeconds < change_ ? before_ : after_;
}

}  // namespace zorvel
