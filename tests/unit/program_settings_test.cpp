#include "monitor/program_settings.h"

#include <gtest/gtest.h>

using zorvel::SampleIntervalMs;

TEST(SampleInterval, SecondsBecomeMilliseconds) {
    EXPECT_EQ(2000u, SampleIntervalMs(2));
    EXPECT_EQ(3600000u, SampleIntervalMs(3600));
}

TEST(SampleInterval, NothingBelowOneSecondAndNothingThatOverflows) {
    EXPECT_EQ(1000u, SampleIntervalMs(0));
    EXPECT_EQ(1000u, SampleIntervalMs(-5));
    EXPECT_EQ(2147483000u, SampleIntervalMs(2147483));
    EXPECT_EQ(2147483000u, SampleIntervalMs(2147484));
    EXPECT_EQ(2147483000u, SampleIntervalMs(2147483647));
}
