// zorvel-service under Wine's service manager: installed, sampling with no one
// logged on to a window, refused where it must be, stopped and started again
// with its figures, and through a driver that goes away and comes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <string>

#include "monitor/history/history_file.h"
#include "monitor/stats/port_tables.h"
#include "monitor/stats/statistics_file.h"
#include "resources/zorvel_ids.h"
#include "tests/e2e/harness_win32.h"

namespace {

using e2e::kMonitor;

constexpr const char* kName = "TarnelPortE2E";

std::string In(const std::string& folder, const char* name) {
    return folder + "\\" + name;
}

// The service command's exit code; what it printed goes to `output`.
int Service(const std::string& arguments, std::string& output) {
    return e2e::RunConsole("zorvel-service.exe", arguments + " --name " + kName, output);
}

// Characters sent by all ports, as the folder's calcs.dat holds them.
uint64_t TxTotals(const std::string& folder) {
    const std::string bytes = e2e::ReadFileBytes(In(folder, "calcs.dat"));
    uint64_t total = 0;
    for (size_t at = 0; bytes.size() == zorvel::kStatisticsFileSize && at < bytes.size();
         at += sizeof(zorvel::StatsRecord)) {
        zorvel::StatsRecord record;
        std::memcpy(&record, bytes.data() + at, sizeof record);
        total += record.TxTotal;
    }
    return total;
}

bool MetricsSay(const std::string& folder, const std::string& line) {
    return e2e::WaitFor(
        [&] { return e2e::ReadFileBytes(In(folder, "zorvel.prom")).find("\n" + line + "\n") != std::string::npos; });
}

// Whatever a test leaves, the next finds no service of this name.
class ServiceRun : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::WriteFileBytes(In(folder, "zorvel.ini"), "[program]\r\nUpdateTime=1\r\n[metrics]\r\nFile=zorvel.prom\r\n");
    }
    void TearDown() override {
        std::string output;
        Service("uninstall", output);
    }
    // What the command printed, its line ends as "\n".
    std::string Run(const std::string& arguments, int expected) {
        std::string output;
        EXPECT_EQ(expected, Service(arguments, output)) << arguments << ": " << output;
        output.erase(std::remove(output.begin(), output.end(), '\r'), output.end());
        return output;
    }
    // The status command's "last sample" line.
    std::string LastSample() {
        const std::string status = Run("status", 0);
        const size_t at = status.find("last sample:");
        return at == std::string::npos ? std::string() : status.substr(at, status.find('\n', at) - at);
    }

    const std::string folder = e2e::FreshFolder();
};

TEST_F(ServiceRun, SamplesUnattendedRefusesWhatItMustAndKeepsItsFiguresAcrossAStop) {
    // Wine keeps no access list: every file reads as writable by everyone, and
    // the user owns the program file.
    EXPECT_NE(std::string::npos,
              Run("install \"" + folder + "\" --simulated", 1).find("The service runs the programs zorvel.ini names"));
    EXPECT_NE(std::string::npos, Run("status", 1).find("there is no service named")) << "nothing was changed";

    Run("install \"" + folder + "\" --simulated --no-folder-check", 0);
    ASSERT_TRUE(MetricsSay(folder, "zorvel_up 1"));
    EXPECT_EQ(nullptr, e2e::FindVisibleWindow(0, kMonitor.WindowClass, nullptr)) << "a service shows no window";
    EXPECT_NE(std::string::npos, Run("install \"" + folder + "\" --simulated --no-folder-check", 1).find("already"));
    std::string output;
    EXPECT_EQ(1, e2e::RunConsole("zorvel-service.exe", "install \"" + folder + "\" --name Other", output));
    EXPECT_NE(std::string::npos, output.find("service samples this folder")) << output;
    const std::string status = Run("status", 0);
    EXPECT_NE(std::string::npos, status.find(": running\n  folder:      " + folder + "\n")) << status;
    EXPECT_NE(std::string::npos, status.find("answers (32 ports)")) << status;

    Run("stop", 0);
    EXPECT_NE(std::string::npos, e2e::ReadFileBytes(In(folder, "zorvel.prom")).find("\nzorvel_up 0\n"));
    EXPECT_FALSE(e2e::FileExists(In(folder, "zorvel.lck")));
    const uint64_t saved = TxTotals(folder);
    EXPECT_GT(saved, 0u);
    Run("start", 0);
    ASSERT_TRUE(MetricsSay(folder, "zorvel_up 1"));
    // A restarted source counts from its start again: the first read is a
    // baseline, the reads after it add to the saved figures.
    const std::string first = LastSample();
    ASSERT_TRUE(e2e::WaitFor([&] { return LastSample() != first; }));
    Run("stop", 0);
    EXPECT_GT(TxTotals(folder), saved) << "the second run went on from the saved figures";

    Run("uninstall", 0);
    EXPECT_NE(std::string::npos, Run("status", 1).find("there is no service named"));
    EXPECT_TRUE(e2e::FileExists(In(folder, "calcs.dat"))) << "the folder's files stay";
}

TEST_F(ServiceRun, AWindowShowsTheServicesFiguresResetsThemThroughItAndFollowsAStopAndAStart) {
    // Figures far above what the simulated ports count, and raw counters that
    // make the first read a baseline: only a reset brings a total below them.
    std::string records(zorvel::kStatisticsFileSize, '\0');
    for (size_t at = 0; at < records.size(); at += sizeof(zorvel::StatsRecord)) {
        zorvel::StatsRecord record = {};
        record.TxTotal = 1000000000u;
        record.TxPrevRaw = 0xFFFFFFFFu;
        std::memcpy(&records[at], &record, sizeof record);
    }
    e2e::WriteFileBytes(In(folder, "calcs.dat"), records);
    // A minute of the first port's traffic, for its graph to draw.
    auto history = zorvel::CreateHistory();
    const auto minute = static_cast<uint32_t>(std::time(nullptr) / 60 - 2);
    history->MinuteStamps[minute % zorvel::kMinuteBuckets] = minute;
    history->Minutes[minute % zorvel::kMinuteBuckets][0] = {6000, 0, 0, zorvel::kBucketSampled};
    history->Header.LastMinute = minute;
    ASSERT_EQ(common::WriteResult::Ok, zorvel::SaveHistory(In(folder, "history.dat"), *history));
    Run("install \"" + folder + "\" --simulated --no-folder-check", 0);
    ASSERT_TRUE(MetricsSay(folder, "zorvel_up 1"));

    e2e::Program monitor(kMonitor, "", folder);
    HWND window = monitor.WaitWindow(kMonitor.WindowClass, "TarnelPort Monitor (service)");
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(e2e::WaitRepaints(window, 2)) << "the service's ticks show";
    {
        e2e::Program second(kMonitor, "", folder);
        DWORD code = 1;
        EXPECT_TRUE(second.WaitExit(&code));
        EXPECT_EQ(0u, code) << "a second window brings the first forward";
    }
    e2e::PostCommand(window, IDM_GRAPH);
    HWND graph = monitor.WaitWindow("ZorvelGraph", "Graph - COM5");
    ASSERT_NE(nullptr, graph);
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::GraphShowsPoints(graph); })) << "the service's history";
    e2e::PostCommand(window, IDM_RESET);
    HWND question = monitor.WaitBox(kMonitor.BoxCaption, "Reset All?");
    ASSERT_NE(nullptr, question);
    e2e::PressButton(question, IDYES);
    ASSERT_TRUE(e2e::WaitClosed(question));

    // Program Setup's OK: the service takes the period and saves it at once.
    e2e::PostCommand(window, IDM_CONFIG);
    HWND setup = monitor.WaitDialog("Program Setup");
    ASSERT_NE(nullptr, setup);
    e2e::SetControlText(setup, IDC_UPDATE_TIME, "3");
    e2e::PressButton(setup, IDOK);
    EXPECT_TRUE(e2e::WaitFor(
        [&] { return e2e::ReadFileBytes(In(folder, "zorvel.ini")).find("UpdateTime=3\r\n") != std::string::npos; }));

    Run("stop", 0);
    const auto caption = [&] {
        char text[512] = {};
        GetWindowTextA(window, text, sizeof text);
        return std::string(text);
    };
    EXPECT_TRUE(e2e::WaitFor([&] {
        return caption().find("service has stopped; the figures shown are from") != std::string::npos;
    })) << caption();
    EXPECT_TRUE(monitor.Dialogs(kMonitor.BoxCaption).empty()) << "said in the caption, not in a box";
    zorvel::StatsRecord first = {};
    std::memcpy(&first, e2e::ReadFileBytes(In(folder, "calcs.dat")).data(), sizeof first);
    EXPECT_LT(first.TxTotal, 1000000000u) << "the reset reached the service's calcs.dat";

    Run("start", 0);
    EXPECT_TRUE(e2e::WaitFor([&] { return caption() == "TarnelPort Monitor (service)"; })) << caption();
    EXPECT_TRUE(e2e::WaitRepaints(window, 1)) << "the service's figures again";
    const std::string changed = e2e::ReadFileBytes(In(folder, "zorvel.ini"));
    EXPECT_EQ(std::vector<std::string>{}, monitor.Exit(window));
    EXPECT_EQ(changed, e2e::ReadFileBytes(In(folder, "zorvel.ini"))) << "the window wrote none of the service's files";
    EXPECT_TRUE(e2e::FileExists(In(folder, "zorvel.vew"))) << "but its own view";
}

TEST_F(ServiceRun, ADriverThatGoesAwayAndComesBackLeavesTheServiceRunning) {
    Run("install \"" + folder + "\" --no-folder-check", 0);
    ASSERT_TRUE(MetricsSay(folder, "zorvel_driver_up 1"));
    ASSERT_EQ("", standin::Stop());
    EXPECT_TRUE(MetricsSay(folder, "zorvel_driver_up 0"));
    EXPECT_NE(std::string::npos, Run("status", 0).find("does not answer"));
    ASSERT_EQ("", standin::Start());
    EXPECT_TRUE(MetricsSay(folder, "zorvel_driver_up 1"));
    const std::string status = Run("status", 0);
    EXPECT_NE(std::string::npos, status.find(": running\n")) << status;
    EXPECT_NE(std::string::npos, status.find("answers (8 ports)")) << status;
}

}  // namespace
