// The sampling tick running for real on the simulated source, seen through calcs.dat.
#include <gtest/gtest.h>

#include <cstring>

#include "monitor/stats/port_tables.h"
#include "monitor/stats/statistics_file.h"
#include "resources/zorvel_ids.h"
#include "tests/e2e/harness_win32.h"

namespace {

TEST(MonitorSampling, TenSecondsOfSimulatedTrafficLeaveConsistentRecords) {
    const std::string folder = e2e::FreshFolder();
    e2e::Program monitor(e2e::kMonitor, "-F", folder);
    HWND window = monitor.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    // Every tick's new traffic changes the grid.
    ASSERT_TRUE(e2e::WaitRepaints(window, 4)) << "fewer than four ticks repainted the grid";
    e2e::PostCommand(window, IDM_EXIT);
    ASSERT_TRUE(monitor.WaitExit());

    const std::string bytes = e2e::ReadFileBytes(folder + "\\calcs.dat");
    ASSERT_EQ(zorvel::kStatisticsFileSize, bytes.size());
    zorvel::StatsRecord records[zorvel::kPortSlots];
    std::memcpy(records, bytes.data(), bytes.size());

    // Counted from a fresh folder, so every total is the driver's counter itself.
    uint64_t totals = 0;
    uint64_t lastTicks = 0;
    for (int port = 0; port < 24; ++port) {
        const zorvel::StatsRecord& r = records[port];
        EXPECT_EQ(r.TxPrevRaw, r.TxTotal) << "port " << port;
        EXPECT_EQ(r.RxPrevRaw, r.RxTotal) << "port " << port;
        EXPECT_EQ(r.OverrunPrevRaw, r.OverrunErrors) << "port " << port;
        EXPECT_EQ(r.ParityPrevRaw, r.ParityErrors) << "port " << port;
        EXPECT_EQ(0x0100, r.StatusFlags) << "port " << port;
        totals += r.TxTotal;
        lastTicks += r.TxTickCnt;
    }
    EXPECT_GT(totals, lastTicks) << "the timer never ticked after window creation";

    // Idle ports and the slot after the last one are sampled, but stay empty.
    const zorvel::StatsRecord zero = {};
    for (int port = 24; port <= 32; ++port) {
        EXPECT_EQ(0, std::memcmp(&zero, &records[port], sizeof zero)) << "port " << port;
    }
}

}  // namespace
