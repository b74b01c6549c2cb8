#include "monitor/service/monitor_service.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "monitor/stats/statistics_file.h"
#include "tests/unit/fake_report_environment.h"
#include "tests/unit/temp_dir.h"

using namespace zorvel;

namespace {

struct EventList : ServiceLog {
    std::vector<std::string> Texts;
    void Write(const ServiceEvent& event) override {
        Texts.push_back(std::to_string(static_cast<int>(event.Kind)) + " " + event.Text);
    }
};

// Two ports, whose transmit counters the test sets; reads fail while told to.
struct TwoPorts : PortSource {
    explicit TwoPorts(PortTables& tables) : Tables(&tables) {}
    int Request(int kind) override {
        if (Failing) {
            return kStatusControlFailed;
        }
        if (kind == kRequestPortList) {
            std::strcpy(Tables->Names.Slots[0].Name, "COM5");
            std::strcpy(Tables->Names.Slots[1].Name, "COM6");
        }
        return kStatusOk;
    }
    PortTables* Tables;
    bool Failing = false;
};

struct SetClock : common::Clock {
    int64_t Unix = 1800000000;
    uint32_t Ms = 1000;
    common::LocalTime Time = {2026, 12, 10, 12, 30, 0};
    uint32_t TickCount() override { return Ms; }
    common::LocalTime Now() override { return Time; }
    int64_t UnixSeconds() override { return Unix; }
};

struct MonitorServiceTest : ::testing::Test {
    TempDir dir;
    const std::string folder = dir.Root().string();
    EventList log;
    FakeReportEnvironment reports;
    SetClock clock;
    int released = 0;
    ServiceSystem system{clock,      log,           reports, [] { return 1e12; }, [] { return int64_t{1800000000}; },
                         [] { return uint64_t{0}; }, nullptr, nullptr, [this] { ++released; }};
    std::unique_ptr<PortTables> tables = CreatePortTables();
    TwoPorts source{*tables};

    std::unique_ptr<MonitorService> Started() {
        auto service = std::make_unique<MonitorService>(folder, *tables, source, system);
        service->Start();
        return service;
    }
    void TickAt(MonitorService& service, uint32_t ms, uint16_t hour, uint16_t minute) {
        clock.Ms = ms;
        clock.Time.Hour = hour;
        clock.Time.Minute = minute;
        service.Tick();
    }
};

TEST_F(MonitorServiceTest, ALostDriverIsLoggedOnceAnOutageAndTheFiguresGoOnWhereTheyWere) {
    dir.Write("zorvel.ini", "[program]\r\nUpdateTime=0\r\n[metrics]\r\nFile=" + dir.Path("zorvel.prom") + "\r\n");
    auto service = Started();
    EXPECT_EQ(1000u, service->PeriodMs()) << "UpdateTime 0 samples every second, as the window's timer does";
    tables->Counters.Slots[0].TxTotalRaw = 500;
    TickAt(*service, 2000, 12, 30);
    source.Failing = true;
    TickAt(*service, 3000, 12, 30);
    TickAt(*service, 4000, 12, 30);
    EXPECT_EQ(0u, service->Status().DriverUp);
    source.Failing = false;
    tables->Counters.Slots[0].TxTotalRaw = 800;
    TickAt(*service, 5000, 12, 31);
    EXPECT_EQ(1u, service->Status().DriverUp);
    EXPECT_EQ(2u, service->Status().Ports);
    EXPECT_EQ(2, released) << "the driver let go at each failure, to be opened anew";
    EXPECT_EQ((std::vector<std::string>{
                  "3 TarnelPort Driver Comm. Error. The service keeps its statistics and connects again at every tick.",
                  "4 The TarnelPort driver answers again, with 2 ports."}),
              log.Texts);

    service->Stop();
    EXPECT_NE(std::string::npos, dir.Read("zorvel.prom").find("\nzorvel_up 0\n"));
    EXPECT_EQ("[program]\r\nUpdateTime=0\r\n[metrics]\r\nFile=" + dir.Path("zorvel.prom") + "\r\n",
              dir.Read("zorvel.ini"));
    std::unique_ptr<PortTables> saved = CreatePortTables();
    LoadStatistics(dir.Path("calcs.dat").c_str(), saved->Records);
    EXPECT_EQ(800u, saved->Records[0].TxTotal);

    // The next start goes on from the saved figures.
    tables = CreatePortTables();
    source.Tables = tables.get();
    auto again = std::make_unique<MonitorService>(folder, *tables, source, system);
    again->Start();
    EXPECT_EQ(800u, tables->Records[0].TxTotal);
}

TEST_F(MonitorServiceTest, ReportsOfTheViewsColumnsFollowTheFoldersViewFileAtEachHourEnd) {
    dir.Write("zorvel.ini", "[program]\r\nHourSingle=3\r\nHourSpawn=collect.exe\r\n");
    dir.Write("zorvel.vew", "[CellTxTotal]\r\nInput=7\r\n");
    std::filesystem::create_directory(dir.Path("REPORTS"));
    auto service = Started();
    TickAt(*service, 2000, 12, 59);
    TickAt(*service, 3000, 13, 0);
    EXPECT_NE(std::string::npos, dir.Read("REPORTS/hall.txt").find("TxTotal="));
    dir.Write("zorvel.vew", "[CellRxTotal]\r\nInput=8\r\n");
    TickAt(*service, 4000, 14, 1);
    const std::string report = dir.Read("REPORTS/hall.txt");
    EXPECT_NE(std::string::npos, report.find("RxTotal=")) << report;
    EXPECT_EQ(std::string::npos, report.find("TxTotal=")) << report;
    EXPECT_EQ((std::vector<std::string>{"collect.exe", "collect.exe"}), reports.Started);
}

}  // namespace
