#include "monitor/history/history.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "monitor/history/graph_plan.h"
#include "monitor/history/history_file.h"
#include "tests/unit/recording_alerts.h"
#include "tests/unit/temp_dir.h"

using namespace zorvel;

namespace {

constexpr int64_t kNoon = 1796904000;  // 2026-12-10 12:00:00 UTC, a whole hour

struct HistoryTest : ::testing::Test {
    std::unique_ptr<HistoryTables> history = CreateHistory();
    std::unique_ptr<PortTables> tables = CreatePortTables();
    std::optional<HistoryKeeper> keeper{*history};

    // A minute end at noon + `minutes`, port 0 having sent `tx` in it.
    void EndAt(int minutes, uint32_t tx, int ports = 2) {
        tables->Records[0].TxMinCnt = tx;
        keeper->EndMinute(*tables, ports, kNoon + minutes * 60 + 1);
    }
    // Port 0's transmit counts in the last `last` minutes before noon + `minutes`, -1 for no data.
    std::vector<int> Minutes(int minutes, size_t last) {
        const std::vector<GraphPoint> points = GraphPoints(*history, 0, GraphRange::Day, kNoon + minutes * 60);
        std::vector<int> counts;
        for (size_t i = points.size() - last; i < points.size(); ++i) {
            counts.push_back(points[i].Data ? static_cast<int>(points[i].Tx * 60) : -1);
        }
        return counts;
    }
};

TEST_F(HistoryTest, MinutesAndHoursFillFromMinuteEndsWithGapsWhereNoProgramSampled) {
    EndAt(1, 6000);  // the run's first minute end: counts of unknown time, a baseline only
    EndAt(2, 120);
    EndAt(3, 180);
    EXPECT_EQ((std::vector<int>{-1, 120, 180}), Minutes(3, 3));

    // A restart: its first minute end is a baseline again, the minutes between stay gaps.
    keeper.emplace(*history);
    EndAt(8, 9999);
    EndAt(9, 60);
    EXPECT_EQ((std::vector<int>{-1, 120, 180, -1, -1, -1, -1, -1, 60}), Minutes(9, 9));

    // A clock set back an hour: its minutes go into the newest one, not over earlier ones.
    EndAt(-50, 600);
    EXPECT_EQ((std::vector<int>{120, 180, -1, -1, -1, -1, -1, 660}), Minutes(9, 8));

    // A clock set forward: the minutes it skips are gaps; a day later the ring
    // has turned and the old minutes read as gaps, not as today's.
    EndAt(60 * 24 + 2, 240);
    // The hour is summed from its minutes once a minute of a later hour comes.
    const int noonHour = static_cast<int>(kNoon / 3600 % kHourBuckets);
    EXPECT_EQ(static_cast<uint32_t>(kNoon / 3600), history->HourStamps[noonHour]);
    EXPECT_EQ(120u + 180 + 660, history->Hours[noonHour][0].Tx);
    EXPECT_TRUE(GraphPoints(*history, 0, GraphRange::Week, kNoon + 3600).back().Data);
    EXPECT_EQ((std::vector<int>{-1, 240}), Minutes(60 * 24 + 2, 2));
    EXPECT_EQ(-1, Minutes(60 * 24 + 2, 1440 - 1)[0]) << "yesterday's 12:01";
    // The hour is summed with its last minute, not a minute later.
    EndAt(60 * 25, 300);
    EXPECT_EQ(static_cast<uint32_t>(kNoon / 3600 + 24), history->HourStamps[(noonHour + 24) % kHourBuckets]);
    EXPECT_EQ(240u + 300, history->Hours[(noonHour + 24) % kHourBuckets][0].Tx);
    // A port the driver no longer lists has no data, not zero.
    EXPECT_FALSE(GraphPoints(*history, 5, GraphRange::Day, kNoon + (60 * 24 + 2) * 60).back().Data);
}

TEST_F(HistoryTest, ErrorsAndCarrierAreThoseOfTheMinute) {
    StatsRecord& record = tables->Records[0];
    EndAt(1, 0);
    record.OverrunErrors = 3;
    record.ParityErrors = 1;
    record.CDRunTime = 2000;
    EndAt(2, 0);
    record.StatusFlags = 0;
    EndAt(3, 0);
    const std::vector<GraphPoint> points = GraphPoints(*history, 0, GraphRange::Hour, kNoon + 3 * 60);
    EXPECT_EQ(4u, points[points.size() - 2].Errors);
    EXPECT_TRUE(points[points.size() - 2].Carrier);
    EXPECT_EQ(0u, points.back().Errors);
    EXPECT_FALSE(points.back().Carrier);

    // One count wrapping, another reset: neither is read as a burst of errors.
    const struct {
        uint16_t overrunBefore, overrunAfter, framingBefore, framingAfter;
        uint32_t errors;
    } cases[] = {
        {65530, 4, 30000, 30002, 4 + 2},  // overrun wrapped: what it holds now, framing's own rise
        {3, 0, 500, 501, 0 + 1},          // overrun reset to zero
    };
    int minute = 4;
    for (const auto& c : cases) {
        record.OverrunErrors = c.overrunBefore;
        record.FramingErrors = c.framingBefore;
        EndAt(minute++, 0);
        record.OverrunErrors = c.overrunAfter;
        record.FramingErrors = c.framingAfter;
        EndAt(minute, 0);
        EXPECT_EQ(c.errors, GraphPoints(*history, 0, GraphRange::Hour, kNoon + minute * 60).back().Errors)
            << c.overrunBefore << " to " << c.overrunAfter;
    }
}

TEST(HistoryFile, SavedAndLoadedWholeAndADamagedFileIsKeptAsideAndSaidOnce) {
    TempDir dir;
    RecordingAlerts alerts;
    const std::string path = dir.Path("history.dat");
    const std::string bad = dir.Path("history.bad");
    auto history = CreateHistory();
    EXPECT_EQ(HistoryLoad::Missing, LoadHistory(path, bad, *history, alerts));
    history->Header.LastMinute = 42;
    history->Hours[3][7].Tx = 99;
    ASSERT_EQ(common::WriteResult::Ok, SaveHistory(path, *history));
    EXPECT_EQ(sizeof(HistoryTables), std::filesystem::file_size(path));
    auto loaded = CreateHistory();
    EXPECT_EQ(HistoryLoad::Loaded, LoadHistory(path, bad, *loaded, alerts));
    EXPECT_EQ(0, std::memcmp(history.get(), loaded.get(), sizeof(HistoryTables)));

    const std::string whole = dir.Read("history.dat");
    const struct {
        const char* Name;
        std::string Bytes;
    } damaged[] = {
        {"another tag", "ZORVHIS!" + whole.substr(8)},
        {"another version", whole.substr(0, 8) + std::string("\x02\0\0\0", 4) + whole.substr(12)},
        {"another port count", whole.substr(0, 16) + std::string("\x81\0\0\0", 4) + whole.substr(20)},
        {"one byte short", whole.substr(0, whole.size() - 1)},
        {"one byte long", whole + "x"},
        {"empty", ""},
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.Name);
        alerts.Shown.clear();
        dir.Write("history.dat", d.Bytes);
        EXPECT_EQ(HistoryLoad::Damaged, LoadHistory(path, bad, *loaded, alerts));
        EXPECT_EQ(0u, loaded->Header.LastMinute) << "the history starts empty";
        EXPECT_TRUE(HistoryHeaderFits(loaded->Header));
        EXPECT_EQ(d.Bytes, dir.Read("history.bad"));
        EXPECT_FALSE(std::filesystem::exists(path));
        EXPECT_EQ((std::vector<std::string>{"The history file " + path + " is damaged; it was kept as " + bad +
                                            " and the history starts empty."}),
                  alerts.Shown);
    }
}

// UTC + 1 until noon + 2 hours, then UTC + 2, as a daylight-saving change would.
common::LocalTime LocalOf(int64_t utc) {
    const int64_t local = utc + (utc < kNoon + 7200 ? 3600 : 7200);
    const int64_t days = local / 86400;
    const int64_t second = local % 86400;
    // The dates are near enough for labels: 2026-12-10 is day 20797.
    return {2026,
            12,
            static_cast<uint16_t>(10 + days - 20797),
            static_cast<uint16_t>(second / 3600),
            static_cast<uint16_t>(second % 3600 / 60),
            0};
}

TEST(GraphPlan, LinesBreakAtGapsAndTheAxesAreLabelledInLocalTime) {
    std::vector<GraphPoint> points(60);
    for (int i = 0; i < 60; ++i) {
        const bool data = i < 20 || i >= 25;
        points[static_cast<size_t>(i)] = {kNoon + 3600 + i * 60, data,  static_cast<uint32_t>(i * 30), 100,
                                          i == 40 ? 2u : 0u,     i < 50};
    }
    const GraphPlan plan = PlanGraph(points, GraphRange::Hour, {40, 10, 630, 310}, LocalOf);
    ASSERT_EQ(2u, plan.Tx.size()) << "two runs either side of the gap";
    EXPECT_EQ(20u, plan.Tx[0].size());
    EXPECT_EQ(35u, plan.Tx[1].size());
    EXPECT_EQ(40, plan.Tx[0].front().X);
    EXPECT_EQ(629, plan.Tx[1].back().X);
    EXPECT_EQ(309 - 100 * 299 / 2000, plan.Rx[0].front().Y) << "100 a second on a scale to 2,000";
    EXPECT_EQ(2000u, plan.TopRate) << "the highest, 1,770 a second, rounded up to 1, 2 or 5 times ten";
    EXPECT_EQ(1u, plan.ErrorMarks.size());
    std::string bands;
    int reach = 40;
    for (const Band& band : plan.Bands) {
        bands += band.Kind == BandKind::Gap ? "gap " : band.Kind == BandKind::Carrier ? "carrier " : "none ";
        EXPECT_EQ(reach, band.Left) << "the bands cover the width, each pixel once";
        reach = band.Right;
    }
    EXPECT_EQ(630, reach);
    EXPECT_EQ("carrier gap carrier none ", bands);
    std::vector<std::string> rates;
    for (const AxisLabel& label : plan.RateLabels) {
        rates.push_back(label.Text);
    }
    EXPECT_EQ((std::vector<std::string>{"0", "500", "1.000k", "1.500k", "2.000k"}), rates);
    std::vector<std::string> times;
    for (const AxisLabel& label : plan.TimeLabels) {
        times.push_back(label.Text);
    }
    EXPECT_EQ((std::vector<std::string>{"14:00", "14:10", "14:20", "14:30", "14:40", "14:50"}), times);

    // Across the daylight-saving change the day's labels follow local time,
    // each hour once; the hour the change skips (15:00) has none.
    std::vector<GraphPoint> day(1440);
    for (size_t i = 0; i < day.size(); ++i) {
        day[i] = {kNoon - 1200 * 60 + static_cast<int64_t>(i) * 60, false, 0, 0, 0, false};
    }
    times.clear();
    for (const AxisLabel& label : PlanGraph(day, GraphRange::Day, {0, 0, 1440, 100}, LocalOf).TimeLabels) {
        times.push_back(label.Text);
    }
    EXPECT_EQ((std::vector<std::string>{"18:00", "21:00", "00:00", "03:00", "06:00", "09:00", "12:00"}), times);

    EXPECT_EQ(0, PointAt(60, {40, 10, 630, 310}, 40));
    EXPECT_EQ(59, PointAt(60, {40, 10, 630, 310}, 629));
    EXPECT_EQ(-1, PointAt(60, {40, 10, 630, 310}, 630));
    EXPECT_EQ("Time\tTransmit\tReceive\tErrors\tCarrier\r\n2026-12-10 14:00\t0\t100\t0\tOn\r\n",
              PointsAsText({points[0]}, LocalOf));
    EXPECT_EQ("Time\tTransmit\tReceive\tErrors\tCarrier\r\n2026-12-10 14:20\t\t\t\t\r\n",
              PointsAsText({points[20]}, LocalOf));
}

}  // namespace
