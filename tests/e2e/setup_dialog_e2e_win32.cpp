// The Program Setup dialog: its Test buttons write reports and start programs,
// OK stores the settings and Cancel keeps them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "resources/zorvel_ids.h"
#include "tests/e2e/harness_win32.h"

namespace {

using e2e::Occurrences;

class SetupDialog : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = e2e::FreshFolder();
        monitor_ = std::make_unique<e2e::Program>(e2e::kMonitor, "-F", folder_);
        window_ = monitor_->WaitMainWindow();
        ASSERT_NE(nullptr, window_);
    }

    void TearDown() override {
        if (window_ != nullptr && IsWindow(window_)) {
            e2e::PostCommand(window_, IDM_EXIT);
            monitor_->WaitExit();
        }
    }

    HWND OpenSetup() {
        e2e::PostCommand(window_, IDM_CONFIG);
        return monitor_->WaitDialog("Program Setup");
    }

    // Presses a Test button and answers the box it shows; returns the box's text.
    std::string Test(HWND dialog, int button) {
        e2e::PressButton(dialog, button);
        HWND box = monitor_->WaitDialog("TarnelPort Monitor");
        if (box == nullptr) {
            return "";
        }
        const std::string text = e2e::ControlText(box, e2e::kMessageBoxTextId);
        e2e::PressButton(box, IDOK);
        return text;
    }

    std::string SavedSettings() {
        const std::string path = folder_ + "\\zorvel.ini";
        DeleteFileA(path.c_str());
        e2e::PostCommand(window_, IDM_SAVE);
        e2e::WaitFor([&] { return e2e::FileExists(path); }, 5000, 100);
        return e2e::ReadFileBytes(path);
    }

    std::string folder_;
    std::unique_ptr<e2e::Program> monitor_;
    HWND window_ = nullptr;
};

TEST_F(SetupDialog, HourTestWritesTheSingleReportOfAllPorts) {
    HWND dialog = OpenSetup();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("2", e2e::ControlText(dialog, IDC_UPDATE_TIME));
    EXPECT_EQ("None", e2e::ControlText(dialog, IDC_HOUR_SINGLE));
    e2e::SelectListEntry(dialog, IDC_HOUR_SINGLE, 2);
    EXPECT_EQ("Done.", Test(dialog, IDC_HOUR_TEST));
    const std::string report = e2e::ReadFileBytes(folder_ + "\\REPORTS\\hall.txt");
    EXPECT_EQ(0u, report.find("******** RePort, Date:"));
    EXPECT_EQ(32, Occurrences(report, "\r\n==== Port:COM"));
    EXPECT_EQ(32, Occurrences(report, "\r\nParityErrorsRaw="));
    EXPECT_NE(std::string::npos, report.find("==== Port:COM36\r\nOpen=0\r\n"));
    e2e::PressButton(dialog, IDCANCEL);
}

TEST_F(SetupDialog, DayTestWithoutAReportsFolderReportsError2) {
    ASSERT_TRUE(RemoveDirectoryA((folder_ + "\\REPORTS").c_str()));
    HWND dialog = OpenSetup();
    ASSERT_NE(nullptr, dialog);
    e2e::SelectListEntry(dialog, IDC_DAY_MULTI, 1);
    EXPECT_EQ("Error reported:2", Test(dialog, IDC_DAY_TEST));
    e2e::PressButton(dialog, IDCANCEL);
}

TEST_F(SetupDialog, OkStoresTheCorrectedUpdateTimeAndTheChoices) {
    HWND dialog = OpenSetup();
    ASSERT_NE(nullptr, dialog);
    e2e::SetControlText(dialog, IDC_UPDATE_TIME, "91");
    e2e::SelectListEntry(dialog, IDC_DAY_SINGLE, 3);
    e2e::SetControlText(dialog, IDC_HOUR_SPAWN, std::string(100, 'p'));
    e2e::PressButton(dialog, IDOK);
    e2e::WaitClosed(dialog);
    EXPECT_EQ("[program]\r\nUpdateTime=60\r\nHourSpawn=" + std::string(100, 'p') + "\r\nDaySingle=3\r\n",
              SavedSettings());
}

TEST_F(SetupDialog, TestThenCancelKeepsTheLiveSettingsButRunsTheProgram) {
    HWND dialog = OpenSetup();
    ASSERT_NE(nullptr, dialog);
    const std::string marker = folder_ + "\\marker.txt";
    // Found beside the monitor, run in its current folder.
    e2e::SetControlText(dialog, IDC_HOUR_SPAWN, "write_marker.exe marker.txt");
    e2e::SetControlText(dialog, IDC_UPDATE_TIME, "30");
    e2e::SelectListEntry(dialog, IDC_HOUR_MULTI, 1);
    EXPECT_EQ("Done.", Test(dialog, IDC_HOUR_TEST));
    e2e::PressButton(dialog, IDCANCEL);
    EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindow(dialog); })) << "the dialog stayed open";
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::FileExists(marker); })) << "the external program did not run";
    EXPECT_TRUE(e2e::FileExists(folder_ + "\\REPORTS\\hCOM5.txt"));
    EXPECT_EQ("[program]\r\nUpdateTime=2\r\n", SavedSettings());
}

TEST_F(SetupDialog, TestNamesAnExternalProgramThatCannotBeStarted) {
    HWND dialog = OpenSetup();
    ASSERT_NE(nullptr, dialog);
    e2e::SetControlText(dialog, IDC_DAY_SPAWN, "no-such-exporter.exe --output x.prom calcs.dat");
    const std::string text = Test(dialog, IDC_DAY_TEST);
    EXPECT_EQ(0u, text.find("Done.\n\nThe external program could not be started:\n"
                            "no-such-exporter.exe --output x.prom calcs.dat\n"))
        << text;
    EXPECT_GT(text.size(), text.rfind('\n') + 1) << "no reason given";
    e2e::PressButton(dialog, IDCANCEL);
}

}  // namespace
