// The monitor's start, menu, message boxes and exit, on the simulated source and without a driver.
#include <gtest/gtest.h>

#include "monitor/stats/statistics_file.h"
#include "resources/zorvel_ids.h"
#include "tests/e2e/harness_win32.h"

namespace {

using e2e::kMonitor;
constexpr long long kStatisticsBytes = zorvel::kStatisticsFileSize;

TEST(MonitorStart, SimulatedRunShowsTheWindowAndLeavesCalcsDatAtExit) {
    const std::string folder = e2e::FreshFolder();
    e2e::Program monitor(kMonitor, "-F", folder);
    HWND window = monitor.WaitMainWindow();
    ASSERT_NE(nullptr, window);

    EXPECT_EQ(
        "[File]\n"
        "  -\n"
        "  &Open=101\n"
        "  &Save=102\n"
        "  Save&As=103\n"
        "  -\n"
        "  &Edit Report=109\n"
        "  E&xit=107\n"
        "[Edit]\n"
        "  &Config=110\n"
        "  &font=111\n"
        "  -\n"
        "  View &D&efault=108\n"
        "  &Graph=114\n"
        "[Help]\n"
        "  &Help=112\n"
        "  &About=113\n",
        e2e::MenuOutline(kMonitor.Exe, "Zorvel"));
    EXPECT_NE(nullptr, GetMenu(window));
    EXPECT_TRUE(e2e::FolderExists(folder + "\\REPORTS"));
    EXPECT_FALSE(e2e::FileExists(folder + "\\calcs.dat"));

    e2e::PostCommand(window, IDM_EXIT);
    DWORD code = 1;
    ASSERT_TRUE(monitor.WaitExit(&code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(kStatisticsBytes, e2e::FileSize(folder + "\\calcs.dat"));
    EXPECT_FALSE(e2e::FileExists(folder + "\\calcs.dat.tmp"));
}

TEST(MonitorStart, WithoutADriverTheConnectErrorEndsTheProgram) {
    const std::string folder = e2e::FreshFolder();
    e2e::Program monitor(kMonitor, "", folder);
    HWND box = monitor.WaitDialog("Zorvel - Error");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Could not connect to TarnelPort Driver.", e2e::ControlText(box, e2e::kMessageBoxTextId));
    // Nobody may ever press OK: what there is to keep is on disk already.
    EXPECT_EQ(kStatisticsBytes, e2e::FileSize(folder + "\\calcs.dat"));
    EXPECT_EQ("[program]\r\nUpdateTime=2\r\n", e2e::ReadFileBytes(folder + "\\zorvel.ini"));

    e2e::PressButton(box, IDOK);
    DWORD code = 1;
    ASSERT_TRUE(monitor.WaitExit(&code));
    EXPECT_EQ(0u, code);
}

TEST(MonitorResources, VersionBlock) {
    EXPECT_EQ("1.04", e2e::VersionValue(kMonitor.Exe, "FileVersion"));
    EXPECT_EQ("1.04", e2e::VersionValue(kMonitor.Exe, "ProductVersion"));
    EXPECT_EQ("TarnelPort Monitor", e2e::VersionValue(kMonitor.Exe, "FileDescription"));
    EXPECT_EQ("Zorvel.exe", e2e::VersionValue(kMonitor.Exe, "OriginalFilename"));
}

TEST(MonitorStart, AboutBoxNamesTheVersion) {
    const std::string folder = e2e::FreshFolder();
    e2e::Program monitor(kMonitor, "-f", folder);
    HWND window = monitor.WaitMainWindow();
    ASSERT_NE(nullptr, window);

    e2e::PostCommand(window, IDM_ABOUT);
    HWND box = monitor.WaitDialog("About Zorvel");
    ASSERT_NE(nullptr, box);
    const std::string text = e2e::ControlText(box, e2e::kMessageBoxTextId);
    EXPECT_EQ(0u, text.find("Zorvel.exe Port Monitor program, Version 1.04\n")) << text;
    EXPECT_NE(std::string::npos, text.find("Copyright")) << text;

    e2e::PressButton(box, IDOK);
    e2e::PostCommand(window, IDM_EXIT);
    EXPECT_TRUE(monitor.WaitExit());
}

TEST(MonitorStart, AStatisticsFileIsCarriedOverToTheNextRun) {
    const std::string folder = e2e::FreshFolder();
    {
        e2e::Program first(kMonitor, "-F", folder);
        HWND window = first.WaitMainWindow();
        ASSERT_NE(nullptr, window);
        e2e::PostCommand(window, IDM_EXIT);
        ASSERT_TRUE(first.WaitExit());
    }
    const std::string saved = e2e::ReadFileBytes(folder + "\\calcs.dat");
    ASSERT_EQ(zorvel::kStatisticsFileSize, saved.size());
    e2e::Program second(kMonitor, "-F", folder);
    HWND window = second.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    e2e::PostCommand(window, IDM_EXIT);
    ASSERT_TRUE(second.WaitExit());
    EXPECT_EQ(kStatisticsBytes, e2e::FileSize(folder + "\\calcs.dat"));
}

}  // namespace
