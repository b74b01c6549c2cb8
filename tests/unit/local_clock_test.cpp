#include "monitor/history/local_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "common/civil_time.h"

using namespace zorvel;

namespace {

std::tuple<int, int, int, int, int, int> Fields(const common::LocalTime& t) {
    return {t.Year, t.Month, t.Day, t.Hour, t.Minute, t.Second};
}

TEST(CivilTime, DatesBothWaysAcrossLeapDaysEpochAndFarYears) {
    const struct {
        int64_t Seconds;
        common::LocalTime Civil;
    } cases[] = {
        {0, {1970, 1, 1, 0, 0, 0}},
        {-1, {1969, 12, 31, 23, 59, 59}},
        {951782400, {2000, 2, 29, 0, 0, 0}},
        {4107542399, {2100, 2, 28, 23, 59, 59}},  // no leap day in 2100
        {4107542400, {2100, 3, 1, 0, 0, 0}},
        {1796904000, {2026, 12, 10, 12, 0, 0}},
        {int64_t{0xFFFFFFFF} * 60, {10136, 2, 16, 4, 15, 0}},  // the last minute a stamp can name
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Fields(c.Civil), Fields(common::CivilTimeOf(c.Seconds))) << c.Seconds;
        EXPECT_EQ(c.Seconds, common::SecondsOfCivil(c.Civil)) << c.Seconds;
    }
}

// A zone whose offset steps from `before` to `after` at `change` (UTC).
struct Zone {
    const char* Name;
    int64_t Before;
    int64_t After;
    int64_t Change;
};

TEST(LocalClock, AgreesWithItsZoneAtEveryMinuteAroundAChangeAndAsksLittle) {
    constexpr int64_t kDay = 1796860800;  // 2026-12-10 00:00 UTC
    const Zone zones[] = {
        {"no change", 3600, 3600, 0},
        {"forward an hour at 01:00 UTC", 3600, 7200, kDay + 3600},
        {"back an hour at 01:00 UTC", 7200, 3600, kDay + 3600},
        {"half an hour at 15:30 UTC", 37800, 39600, kDay + 15 * 3600 + 1800},
        {"west of UTC, at 07:00 UTC", -5 * 3600, -4 * 3600, kDay + 7 * 3600},
        {"at midnight UTC", 0, 3600, kDay},
    };
    for (const Zone& zone : zones) {
        int asked = 0;
        LocalClock clock([&](int64_t t) {
            ++asked;
            return common::CivilTimeOf(t + (t < zone.Change ? zone.Before : zone.After));
        });
        for (int64_t t = kDay - 86400; t < kDay + 2 * 86400; t += 60) {
            const common::LocalTime expected = common::CivilTimeOf(t + (t < zone.Change ? zone.Before : zone.After));
            ASSERT_EQ(Fields(expected), Fields(clock(t))) << zone.Name << " at " << t;
        }
        EXPECT_LT(asked, 3 * 2 + 20) << zone.Name << ": three days of minutes";
    }
}

TEST(LocalClock, AZoneThatCannotSayCountsAsUtc) {
    LocalClock clock([](int64_t) { return common::LocalTime{}; });
    EXPECT_EQ(Fields(common::CivilTimeOf(1796904000)), Fields(clock(1796904000)));
}

}  // namespace
