#include "monitor/sampling/sampling_cycle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "monitor/stats/statistics_file.h"
#include "tests/unit/temp_dir.h"

using namespace zorvel;

namespace {

using Events = std::vector<std::string>;

struct ScriptedSource : PortSource {
    std::vector<int> Asked;
    int ListStatus = kStatusOk;
    int ReadStatus = kStatusOk;
    int Request(int kind) override {
        Asked.push_back(kind);
        return kind == kRequestPortList ? ListStatus : ReadStatus;
    }
};

struct FakeClock : common::Clock {
    int64_t Unix = 1800000000;
    uint32_t Ms = 0;
    common::LocalTime Time = {2024, 3, 10, 12, 30, 0};
    uint32_t TickCount() override { return Ms; }
    common::LocalTime Now() override { return Time; }
    int64_t UnixSeconds() override { return Unix; }
};

// Records every call by name; a hook under the start of that name runs inside
// the call, as a nested message loop would.
struct RecordingHost : SamplingHost {
    Events Calls;
    std::map<std::string, std::function<void()>> On;
    double FreeBytes = 1e12;

    void Record(const std::string& name) {
        Calls.push_back(name);
        for (const auto& [start, hook] : On) {
            if (name.rfind(start, 0) == 0) {
                hook();
            }
        }
    }
    zorvel::AfterLoss After = zorvel::AfterLoss::Close;
    zorvel::AfterLoss DriverLost(const char*) override {
        Record("driver lost");
        return After;
    }
    void ShowDriverError(const char* text) override { Record(std::string("box ") + text); }
    void CloseProgram() override { Record("close"); }
    void RowCountChanged(ViewState& view) override { Record("rows " + std::to_string(view.GridRows)); }
    double FreeDiskBytes() override { return FreeBytes; }
    void RunHourReports(ViewState&) override { Record("hour reports"); }
    void WriteSettingsFile() override { Record("settings"); }
    void RunDayReports(ViewState&) override { Record("day reports"); }
    // Kept apart from Calls, which would otherwise hold one entry per tick.
    std::vector<bool> SampledFlags;
    void Sampled(bool minuteEnded) override { SampledFlags.push_back(minuteEnded); }
    void Repaint(ViewState&) override { Record("repaint"); }
    common::Alerts& Alerts() override { return alerts; }

    struct Boxes : common::Alerts {
        RecordingHost& host;
        explicit Boxes(RecordingHost& owner) : host(owner) {}
        void Alert(const std::string& text) override { host.Record("alert " + text); }
    } alerts{*this};
};

class SamplingCycleTest : public ::testing::Test {
protected:
    SamplingCycleTest() { ListPorts(2); }

    void ListPorts(int count) {
        std::memset(tables->Names.Slots, 0, sizeof tables->Names.Slots);
        for (int port = 0; port < count; ++port) {
            std::strcpy(tables->Names.Slots[port].Name, "COM");
        }
    }
    CounterSlot& Slot(int port) { return tables->Counters.Slots[port]; }
    StatsRecord& Record(int port) { return tables->Records[port]; }

    // One tick with the millisecond counter at `ms` and the local clock at hour:minute.
    bool TickAt(uint32_t ms, uint16_t hour, uint16_t minute, uint16_t day = 10) {
        clock.Ms = ms;
        clock.Time = {2024, 3, day, hour, minute, 0};
        return cycle->Tick(view);
    }
    // Calls made since the last look, minus the repaint that ends every tick.
    Events TakeCalls() {
        Events calls;
        for (const std::string& call : host.Calls) {
            if (call != "repaint") {
                calls.push_back(call);
            }
        }
        host.Calls.clear();
        return calls;
    }
    // A new run on the same records, as after a restart that loaded calcs.dat.
    void Restart() { cycle = std::make_unique<SamplingCycle>(source, *tables, clock, host, calcsPath); }

    TempDir dir;
    const std::string calcsPath = dir.Path("calcs.dat");
    std::unique_ptr<PortTables> tables = CreatePortTables();
    ScriptedSource source;
    FakeClock clock;
    RecordingHost host;
    ViewState view;
    std::unique_ptr<SamplingCycle> cycle = std::make_unique<SamplingCycle>(source, *tables, clock, host, calcsPath);
};

TEST_F(SamplingCycleTest, ConnectsOnceThenReadsEveryTickAndRepaintsAfterEach) {
    EXPECT_TRUE(TickAt(1000, 12, 0));
    EXPECT_TRUE(TickAt(3000, 12, 0));
    EXPECT_EQ((std::vector<int>{kRequestPortList, kRequestCounterRead, kRequestCounterRead}), source.Asked);
    EXPECT_EQ((Events{"rows 3", "repaint", "repaint"}), host.Calls);
}

TEST_F(SamplingCycleTest, TheFirstReadAndEachMinuteEndAreMarkedForTheMetricsFile) {
    TickAt(1000, 12, 0);  // minute 0: no minute ends, but it is the first read
    TickAt(3000, 12, 0);
    TickAt(5000, 12, 1);
    TickAt(7000, 12, 1);
    TickAt(9000, 13, 2);
    EXPECT_EQ((std::vector<bool>{true, false, true, false, true}), host.SampledFlags);
}

TEST_F(SamplingCycleTest, ConnectFailureShowsItsBoxThenClosesWithoutReading) {
    source.ListStatus = kStatusNoPorts;
    EXPECT_FALSE(TickAt(1000, 12, 0));
    EXPECT_FALSE(TickAt(3000, 12, 0));
    EXPECT_EQ((std::vector<int>{kRequestPortList}), source.Asked);
    EXPECT_EQ((Events{"driver lost", "settings", "box Could not connect to TarnelPort Driver.", "close"}), host.Calls);
}

TEST_F(SamplingCycleTest, ReadFailureShowsOneBoxEvenWhenTicksArriveWhileItIsOpenAndLeavesRecordsAlone) {
    ASSERT_TRUE(TickAt(1000, 12, 0));
    source.ReadStatus = kStatusControlFailed;
    Slot(0).TxTotalRaw = 500;
    host.On["box TarnelPort Driver Comm. Error."] = [&] {
        EXPECT_FALSE(TickAt(2000, 12, 0));
        EXPECT_FALSE(TickAt(3000, 12, 0));
    };
    EXPECT_FALSE(TickAt(4000, 12, 0));
    EXPECT_EQ((Events{"rows 3", "driver lost", "settings", "box TarnelPort Driver Comm. Error.", "close"}), TakeCalls());
    EXPECT_EQ(3u, source.Asked.size());
    EXPECT_EQ(0u, Record(0).TxTotal);
}

TEST_F(SamplingCycleTest, AHostThatReconnectsKeepsItsFiguresAndAsksThePortListAgainWithoutASpike) {
    host.After = AfterLoss::Reconnect;
    source.ListStatus = kStatusOpenFailed;
    EXPECT_TRUE(TickAt(1000, 12, 0)) << "no driver at the start is no end either";
    source.ListStatus = kStatusOk;
    Slot(0).TxTotalRaw = 5000;
    ASSERT_TRUE(TickAt(2000, 12, 0));
    Slot(0).TxTotalRaw = 6000;
    ASSERT_TRUE(TickAt(4000, 12, 0));
    EXPECT_EQ(6000u, Record(0).TxTotal);

    source.ReadStatus = kStatusControlFailed;
    EXPECT_TRUE(TickAt(6000, 12, 0));
    EXPECT_TRUE(TickAt(8000, 12, 0));
    // The driver was restarted meanwhile: its counter starts low again.
    source.ReadStatus = kStatusOk;
    Slot(0).TxTotalRaw = 300;
    ASSERT_TRUE(TickAt(10000, 12, 0));
    Slot(0).TxTotalRaw = 700;
    ASSERT_TRUE(TickAt(12000, 12, 0));
    EXPECT_EQ(6400u, Record(0).TxTotal) << "the figures kept, the new counter's first read a baseline";
    EXPECT_EQ(200u, Record(0).TxCPSInst);
    EXPECT_EQ((std::vector<int>{kRequestPortList, kRequestPortList, kRequestCounterRead, kRequestCounterRead,
                                kRequestCounterRead, kRequestPortList, kRequestCounterRead, kRequestPortList,
                                kRequestCounterRead, kRequestCounterRead}),
              source.Asked);
    EXPECT_EQ((Events{"driver lost", "rows 3", "driver lost", "driver lost"}), TakeCalls())
        << "no save, box or close: the host goes on";
    EXPECT_FALSE(cycle->LostDriver());
}

TEST_F(SamplingCycleTest, RowCountFollowsThePortListAndSamplesTheSlotAfterTheLastPort) {
    ASSERT_TRUE(TickAt(1000, 12, 0));
    EXPECT_EQ(3, view.GridRows);
    ASSERT_TRUE(TickAt(3000, 12, 0));
    EXPECT_EQ((Events{"rows 3"}), TakeCalls());

    Slot(2).TxTotalRaw = 70;
    Slot(3).TxTotalRaw = 90;
    Slot(3).PortStatus = kStatusOpen;
    ASSERT_TRUE(TickAt(5000, 12, 0));
    EXPECT_EQ(70u, Record(2).TxTotal);
    EXPECT_EQ(0u, Record(3).TxTotal);
    EXPECT_EQ(0u, Record(3).StatusFlags);

    ListPorts(4);
    ASSERT_TRUE(TickAt(7000, 12, 0));
    EXPECT_EQ((Events{"rows 5"}), TakeCalls());
    EXPECT_EQ(90u, Record(3).TxTotal);
}

TEST_F(SamplingCycleTest, InstantRateNeedsAnElapsedTime) {
    ASSERT_TRUE(TickAt(10000, 12, 0));
    Slot(0).TxTotalRaw = 4000;
    Slot(0).RxTotalRaw = 1000;
    ASSERT_TRUE(TickAt(12000, 12, 0));
    EXPECT_EQ(2000u, Record(0).TxCPSInst);
    EXPECT_EQ(500u, Record(0).RxCPSInst);

    // Same millisecond count again: counted, but the rates stay.
    Slot(0).TxTotalRaw = 8000;
    ASSERT_TRUE(TickAt(12000, 12, 0));
    EXPECT_EQ(2000u, Record(0).TxCPSInst);
    EXPECT_EQ(500u, Record(0).RxCPSInst);
    EXPECT_EQ(8000u, Record(0).TxTotal);
}

TEST_F(SamplingCycleTest, ACounterThatDropsBecomesTheNewBaseline) {
    Slot(0).TxTotalRaw = 5000;
    ASSERT_TRUE(TickAt(1000, 12, 0));
    Slot(0).TxTotalRaw = 100;
    ASSERT_TRUE(TickAt(3000, 12, 0));
    EXPECT_EQ(0u, Record(0).TxTickCnt);
    EXPECT_EQ(5000u, Record(0).TxTotal);
    EXPECT_EQ(100u, Record(0).TxPrevRaw);
    Slot(0).TxTotalRaw = 350;
    ASSERT_TRUE(TickAt(5000, 12, 0));
    EXPECT_EQ(250u, Record(0).TxTickCnt);
    EXPECT_EQ(5250u, Record(0).TxTotal);
}

TEST_F(SamplingCycleTest, ALongGapOrAWrappedCounterCountsCharactersButNoRateOrCarrierTime) {
    Slot(0).PortStatus = kStatusCd;
    ASSERT_TRUE(TickAt(1000, 12, 0));
    Slot(0).TxTotalRaw = 2000;
    ASSERT_TRUE(TickAt(3000, 12, 0));
    ASSERT_EQ(1000u, Record(0).TxCPSInst);
    ASSERT_EQ(2000u, Record(0).CDRunTime);

    Slot(0).TxTotalRaw = 50000;
    ASSERT_TRUE(TickAt(153000, 12, 0));
    EXPECT_EQ(50000u, Record(0).TxTotal);
    EXPECT_EQ(50000u, Record(0).TxMinCntWrk);
    EXPECT_EQ(1000u, Record(0).TxCPSInst);
    EXPECT_EQ(2000u, Record(0).CDRunTime);

    // 120,000 ms is still a usable tick.
    Slot(0).TxTotalRaw = 290000;
    ASSERT_TRUE(TickAt(273000, 12, 0));
    EXPECT_EQ(2000u, Record(0).TxCPSInst);
    EXPECT_EQ(122000u, Record(0).CDRunTime);

    // The millisecond counter wrapped.
    Slot(0).TxTotalRaw = 300000;
    ASSERT_TRUE(TickAt(500, 12, 0));
    EXPECT_EQ(300000u, Record(0).TxTotal);
    EXPECT_EQ(2000u, Record(0).TxCPSInst);
    EXPECT_EQ(122000u, Record(0).CDRunTime);
}

TEST_F(SamplingCycleTest, CarrierOnForThreeTicksIsOneRunWithTheirTime) {
    ASSERT_TRUE(TickAt(1000, 12, 0));
    Slot(1).PortStatus = kStatusCd | kStatusOpen;
    ASSERT_TRUE(TickAt(3000, 12, 0));
    ASSERT_TRUE(TickAt(5500, 12, 0));
    ASSERT_TRUE(TickAt(7000, 12, 0));
    Slot(1).PortStatus = kStatusOpen;
    ASSERT_TRUE(TickAt(9000, 12, 0));
    EXPECT_EQ(1u, Record(1).CDRuns);
    EXPECT_EQ(1u, Record(1).CDDayRunsWrk);
    EXPECT_EQ(6000u, Record(1).CDRunTime);
    EXPECT_EQ(6000u, Record(1).CDHourRunTimeWrk);
    EXPECT_EQ(kStatusOpen, Record(1).StatusFlags);

    Slot(1).PortStatus = kStatusCd;
    ASSERT_TRUE(TickAt(11000, 12, 0));
    EXPECT_EQ(2u, Record(1).CDRuns);
}

TEST_F(SamplingCycleTest, ErrorSumsAreSixteenBitAndFollowTheDriversCounters) {
    Record(0).OverrunErrors = 65535;
    Slot(0).OverrunErrorsRaw = 10;
    Slot(0).ParityErrorsRaw = 3;
    ASSERT_TRUE(TickAt(1000, 12, 0));
    EXPECT_EQ(9u, Record(0).OverrunErrors);
    EXPECT_EQ(3u, Record(0).ParityErrors);
    Slot(0).OverrunErrorsRaw = 4;
    Slot(0).FramingErrorsRaw = 65535;
    ASSERT_TRUE(TickAt(3000, 12, 0));
    EXPECT_EQ(9u, Record(0).OverrunErrors);
    EXPECT_EQ(4u, Record(0).OverrunPrevRaw);
    EXPECT_EQ(65535u, Record(0).FramingErrors);
}

TEST_F(SamplingCycleTest, AMinuteEndTurnsTheMinutesCountsIntoRatesAndPeaks) {
    ASSERT_TRUE(TickAt(0, 12, 0));
    for (uint32_t ms = 2000; ms <= 60000; ms += 2000) {
        Slot(0).RxTotalRaw += 200;
        Slot(0).TxTotalRaw += ms == 30000 ? 3000 : 0;
        ASSERT_TRUE(TickAt(ms, 12, ms == 60000 ? 1 : 0));
    }
    const StatsRecord& r = Record(0);
    EXPECT_EQ(100u, r.RxMinCPS);
    EXPECT_EQ(6000u, r.RxMinCnt);
    EXPECT_EQ(50u, r.TxMinCPS);
    EXPECT_EQ(1500u, r.TxCPSMinAvMax);
    EXPECT_EQ(100u, r.RxCPSMinAvMax);
    EXPECT_EQ(0u, r.TxCPSMinAvMaxWrk);
    EXPECT_EQ(0u, r.RxMinCntWrk);
    EXPECT_EQ(6000u, r.RxHourCntWrk);
    EXPECT_EQ(100u, r.RxCPSHourAvMaxWrk);
    EXPECT_EQ(100u, r.RxCPSDayAvMaxWrk);
}

TEST_F(SamplingCycleTest, TheDayPeakMovesOnlyWithTheHourPeak) {
    Record(0).TxCPSHourAvMaxWrk = 500;  // carried over from the last run
    Record(0).TxCPSDayAvMaxWrk = 100;
    ASSERT_TRUE(TickAt(0, 12, 0));
    Slot(0).TxTotalRaw = 18000;
    ASSERT_TRUE(TickAt(60000, 12, 1));
    EXPECT_EQ(300u, Record(0).TxMinCPS);
    EXPECT_EQ(500u, Record(0).TxCPSHourAvMaxWrk);
    EXPECT_EQ(100u, Record(0).TxCPSDayAvMaxWrk);
}

TEST_F(SamplingCycleTest, AnHoursCountIsTheSumOfItsMinutes) {
    struct At {
        uint16_t Hour, Minute;
    };
    const At ticks[] = {{11, 57}, {11, 57}, {11, 58}, {11, 58}, {11, 58}, {11, 59}, {11, 59}, {11, 59}, {12, 0}};
    uint32_t minuteSum = 0;
    uint32_t ms = 0;
    uint16_t lastMinute = 0;  // so the first tick ends a minute too
    for (const At& at : ticks) {
        Slot(0).TxTotalRaw += 1000u + 37u * ms / 1000u;
        ASSERT_TRUE(TickAt(ms, at.Hour, at.Minute));
        if (at.Minute != lastMinute) {
            minuteSum += Record(0).TxMinCnt;
            lastMinute = at.Minute;
        }
        ms += 20000;
    }
    EXPECT_EQ((Events{"rows 3", "hour reports", "settings"}), TakeCalls());
    EXPECT_EQ(minuteSum, Record(0).TxHourCnt);
    EXPECT_EQ(Record(0).TxTotal, Record(0).TxHourCnt);
    EXPECT_EQ(Record(0).TxHourCnt, Record(0).TxDayCntWrk);
    EXPECT_EQ(0u, Record(0).TxHourCntWrk);
}

TEST_F(SamplingCycleTest, AtFiveOnANewDateTheHourClosesAndIsSavedBeforeTheDay) {
    Slot(0).PortStatus = kStatusCd;
    ASSERT_TRUE(TickAt(0, 23, 58, 10));
    ASSERT_TRUE(TickAt(60000, 0, 59, 11));
    ASSERT_TRUE(TickAt(120000, 4, 58, 11));
    EXPECT_EQ((Events{"rows 3", "hour reports", "settings", "hour reports", "settings"}), TakeCalls());
    Slot(0).TxTotalRaw = 7000;
    Slot(0).RxTotalRaw = 3000;
    std::string savedBeforeDayReports;
    host.On["settings"] = [&] { EXPECT_FALSE(std::filesystem::exists(calcsPath)); };
    host.On["day reports"] = [&] { savedBeforeDayReports = dir.Read("calcs.dat"); };
    std::filesystem::remove(calcsPath);
    ASSERT_TRUE(TickAt(180000, 5, 0, 11));

    EXPECT_EQ((Events{"hour reports", "settings", "day reports"}), TakeCalls());
    ASSERT_EQ(kStatisticsFileSize, savedBeforeDayReports.size());
    StatsRecord saved;
    std::memcpy(&saved, savedBeforeDayReports.data(), sizeof saved);
    EXPECT_EQ(7000u, saved.TxHourCnt);
    EXPECT_EQ(7000u, saved.TxDayCntWrk);
    EXPECT_EQ(0u, saved.TxDayCnt);
    EXPECT_EQ(60u, saved.CDHourRunTime);
    EXPECT_EQ(7000u, Record(0).TxDayCnt);
    EXPECT_EQ(0u, Record(0).TxDayCntWrk);
    EXPECT_EQ(180u, Record(0).CDDayRunTime);
    EXPECT_EQ(1u, Record(0).CDDayRuns);
    EXPECT_EQ(116u, Record(0).TxCPSDayAvMax);
    EXPECT_EQ(50u, Record(0).RxCPSDayAvMax);
    EXPECT_EQ(0u, Record(0).RxCPSDayAvMaxWrk);
}

TEST_F(SamplingCycleTest, ADayEndsOnlyAtAnHourEndIntoHourFive) {
    ASSERT_TRUE(TickAt(0, 23, 58, 10));
    ASSERT_TRUE(TickAt(60000, 4, 59, 11));
    ASSERT_TRUE(TickAt(120000, 6, 30, 11));  // no tick in hour 5
    ASSERT_TRUE(TickAt(130000, 5, 0, 12));
    EXPECT_EQ((Events{"rows 3", "hour reports", "settings", "hour reports", "settings", "hour reports", "settings",
                      "day reports"}),
              TakeCalls());
}

TEST_F(SamplingCycleTest, AProgramStartedBeforeFiveLetsThatMorningsFiveOClockPass) {
    ASSERT_TRUE(TickAt(0, 3, 10, 11));
    ASSERT_TRUE(TickAt(60000, 5, 0, 11));
    EXPECT_EQ((Events{"rows 3", "hour reports", "settings"}), TakeCalls());
}

TEST_F(SamplingCycleTest, WhenEveryTickSeesTheSameMinuteNothingEverEnds) {
    ASSERT_TRUE(TickAt(0, 12, 0, 10));
    uint32_t ms = 0;
    for (int hours = 1; hours <= 20; ++hours) {
        Slot(0).TxTotalRaw += 10;
        ms += 3600000;
        ASSERT_TRUE(TickAt(ms, static_cast<uint16_t>((12 + hours) % 24), 0, hours < 12 ? 10 : 11));
    }
    EXPECT_EQ((Events{"rows 3"}), TakeCalls());
    EXPECT_EQ(200u, Record(0).TxMinCntWrk);
    EXPECT_EQ(0u, Record(0).TxHourCntWrk);
}

TEST_F(SamplingCycleTest, TheFirstTickEndsAMinuteUnlessTheClockReadsMinuteZero) {
    Record(0).TxMinCntWrk = 40;
    ASSERT_TRUE(TickAt(0, 12, 0));
    EXPECT_EQ(40u, Record(0).TxMinCntWrk);

    Restart();
    ASSERT_TRUE(TickAt(1000, 12, 7));
    EXPECT_EQ(0u, Record(0).TxMinCntWrk);
    EXPECT_EQ(40u, Record(0).TxMinCnt);
    EXPECT_EQ(40u, Record(0).TxHourCntWrk);
    EXPECT_EQ((Events{"rows 3"}), TakeCalls());
}

TEST_F(SamplingCycleTest, ARestartCountsWhatTheDriverCountedMeanwhileOrRebaselines) {
    Record(0).TxPrevRaw = 1000;
    Record(0).TxTotal = 1000;
    Slot(0).TxTotalRaw = 1500;
    Record(1).RxPrevRaw = 1000;
    Slot(1).RxTotalRaw = 400;
    ASSERT_TRUE(TickAt(0, 12, 0));
    EXPECT_EQ(1500u, Record(0).TxTotal);
    EXPECT_EQ(500u, Record(0).TxMinCntWrk);
    EXPECT_EQ(0u, Record(0).TxCPSInst);
    EXPECT_EQ(0u, Record(1).RxTotal);
    Slot(1).RxTotalRaw = 450;
    ASSERT_TRUE(TickAt(2000, 12, 0));
    EXPECT_EQ(50u, Record(1).RxTotal);
}

TEST_F(SamplingCycleTest, RatesHoldAtTheTopInsteadOfWrapping) {
    ASSERT_TRUE(TickAt(0, 12, 0));
    Slot(0).TxTotalRaw = 5000000;     // the 32-bit product would give 705032
    Slot(1).TxTotalRaw = 4000000000;  // 8e9 per second does not fit at all
    ASSERT_TRUE(TickAt(1000, 12, 0));
    EXPECT_EQ(5000000u, Record(0).TxCPSInst);
    EXPECT_EQ(4000000000u, Record(1).TxCPSInst);
    Slot(1).TxTotalRaw += 1;
    ASSERT_TRUE(TickAt(1500, 12, 1));
    EXPECT_EQ(3333333u, Record(0).TxMinCPS);
    EXPECT_EQ(4000000000u, Record(1).TxCPSMinAvMax);
    EXPECT_EQ(2666666667u, Record(1).TxMinCPS);

    ASSERT_TRUE(TickAt(1500, 12, 1));
    Slot(1).TxTotalRaw += 9000000;
    ASSERT_TRUE(TickAt(1501, 12, 2));
    EXPECT_EQ(UINT32_MAX, Record(1).TxCPSInst);
    EXPECT_EQ(UINT32_MAX, Record(1).TxMinCPS);
}

TEST_F(SamplingCycleTest, WithTooLittleFreeSpaceHoursAndDaysRollOverWithoutFilesSayingSoOnceARun) {
    host.FreeBytes = 2000000;
    ASSERT_TRUE(TickAt(0, 4, 58, 10));
    Slot(0).TxTotalRaw = 300;
    ASSERT_TRUE(TickAt(60000, 5, 0, 11));
    const Events calls = TakeCalls();
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ(0u, calls[1].rfind("alert Only 2000000 bytes are free on the drive that holds " + calcsPath + ".", 0));
    EXPECT_FALSE(std::filesystem::exists(calcsPath));
    EXPECT_EQ(300u, Record(0).TxHourCnt);
    EXPECT_EQ(300u, Record(0).TxDayCnt);

    ASSERT_TRUE(TickAt(120000, 6, 1, 11));
    EXPECT_EQ((Events{}), TakeCalls());
    host.FreeBytes = 1e12;
    ASSERT_TRUE(TickAt(180000, 7, 2, 11));
    EXPECT_EQ((Events{"hour reports", "settings"}), TakeCalls());
}

TEST_F(SamplingCycleTest, ATickNestedInTheHourReportsNeitherRepeatsTheHourNorOutlivesALostDriver) {
    ASSERT_TRUE(TickAt(0, 11, 59));
    host.On["hour reports"] = [&] { EXPECT_TRUE(TickAt(2000, 12, 0)); };
    ASSERT_TRUE(TickAt(1000, 12, 0));
    EXPECT_EQ((Events{"rows 3", "hour reports", "settings"}), TakeCalls());

    std::filesystem::remove(calcsPath);
    host.On["hour reports"] = [&] {
        source.ReadStatus = kStatusControlFailed;
        EXPECT_FALSE(TickAt(3000, 13, 1));
    };
    EXPECT_FALSE(TickAt(2500, 13, 1));
    EXPECT_EQ((Events{"hour reports", "driver lost", "settings", "box TarnelPort Driver Comm. Error.", "close"}), TakeCalls());
    EXPECT_TRUE(std::filesystem::exists(calcsPath)) << "saved before the box";

    // The low-disk box may let in such a tick too: the hour's tick ends with it.
    Restart();
    host.On.clear();
    source.ReadStatus = kStatusOk;
    host.FreeBytes = 1000;
    ASSERT_TRUE(TickAt(4000, 13, 59));
    host.On["alert Only"] = [&] {
        source.ReadStatus = kStatusControlFailed;
        EXPECT_FALSE(TickAt(5000, 14, 0));
    };
    host.Calls.clear();
    EXPECT_FALSE(TickAt(4500, 14, 0));
    EXPECT_EQ("close", host.Calls.back()) << "nothing after the window has gone";
}

TEST_F(SamplingCycleTest, ALostDriverSavesTheStatisticsBeforeItsBoxEvenBelowTheFloor) {
    for (const double freeBytes : {1e12, 2000000.0}) {
        SCOPED_TRACE(freeBytes);
        std::filesystem::remove(calcsPath);
        source.ReadStatus = kStatusOk;
        Restart();
        host.FreeBytes = freeBytes;
        ASSERT_TRUE(TickAt(1000, 12, 0));
        TakeCalls();
        Record(1).TxTotal = 77;
        source.ReadStatus = kStatusControlFailed;
        host.On["box TarnelPort Driver Comm. Error."] = [&] {
            const std::string saved = dir.Read("calcs.dat");
            ASSERT_EQ(kStatisticsFileSize, saved.size());
            StatsRecord second;
            std::memcpy(&second, saved.data() + sizeof second, sizeof second);
            EXPECT_EQ(77u, second.TxTotal);
        };
        EXPECT_FALSE(TickAt(2000, 12, 0));
        Events expected{"driver lost"};
        if (freeBytes > 2000000.0) {
            expected.push_back("settings");
        }
        expected.insert(expected.end(), {"box TarnelPort Driver Comm. Error.", "close"});
        EXPECT_EQ(expected, TakeCalls());
        EXPECT_TRUE(cycle->LostDriver());
    }
}

TEST_F(SamplingCycleTest, AStatisticsFileThatCannotBeReplacedIsSaidAtTheHourEnd) {
    std::filesystem::create_directory(calcsPath + ".tmp");
    ASSERT_TRUE(TickAt(0, 11, 59));
    ASSERT_TRUE(TickAt(1000, 12, 0));
    EXPECT_EQ((Events{"rows 3", "hour reports", "settings", "alert Could not open " + calcsPath + "!"}), TakeCalls());
}

}  // namespace
