#include "common/hourly_alerts.h"

#include <gtest/gtest.h>

#include "tests/unit/recording_alerts.h"

namespace {

TEST(HourlyAlerts, OneBoxAnHourTheRestCountedAndToldWithTheNext) {
    constexpr uint64_t kMinute = 60000;
    RecordingAlerts boxes;
    uint64_t now = 5 * kMinute;
    common::HourlyAlerts alerts(boxes, [&] { return now; });
    // Each step: minutes since the start, then the boxes shown so far.
    const struct {
        uint64_t Minute;
        size_t Shown;
        uint32_t HeldBack;
    } steps[] = {
        {0, 1, 0},    // the first always shows
        {1, 1, 1},    // back a minute later: counted
        {59, 1, 2},   // still within the hour
        {60, 2, 0},   // an hour on: shown, saying what was held back
        {61, 2, 1},
        {200, 3, 0},  // a quiet while later: shown with the one count
        {300, 4, 0},  // nothing held back: the text alone
    };
    for (const auto& step : steps) {
        now = (5 + step.Minute) * kMinute;
        alerts.Alert("Could not write the metrics file.");
        SCOPED_TRACE(testing::Message() << "minute " << step.Minute);
        EXPECT_EQ(step.Shown, boxes.Shown.size());
        EXPECT_EQ(step.HeldBack, alerts.HeldBack());
    }
    EXPECT_EQ((std::vector<std::string>{
                  "Could not write the metrics file.",
                  "Could not write the metrics file.\n\nThis has happened 2 more times since the last message.",
                  "Could not write the metrics file.\n\nThis has happened 1 more time since the last message.",
                  "Could not write the metrics file."}),
              boxes.Shown);
}

}  // namespace
