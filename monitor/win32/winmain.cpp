// The monitor's entry: start-up, message loop and exit sequence.
#include <windows.h>

#include "common/disk_space.h"
#include "common/folder_lock.h"
#include "common/win32/ansi_text.h"
#include "common/win32/dialogs.h"
#include "common/win32/folder_lock.h"
#include "common/win32/free_disk.h"
#include "common/win32/holder_window.h"
#include "common/win32/system_info.h"
#include "monitor/about_text.h"
#include "monitor/command_line.h"
#include "monitor/driver/simulated_source.h"
#include "monitor/files/settings_file.h"
#include "monitor/stats/catalogue.h"
#include "monitor/stats/statistics_file.h"
#include "monitor/history/history_file.h"
#include "monitor/win32/graph_window.h"
#include "monitor/win32/main_window.h"
#include "monitor/win32/monitor_app.h"
#include "monitor/win32/sampling_host.h"
#include "resources/zorvel_ids.h"

namespace zorvel {

MonitorApp g_app;

namespace {

WindowSamplingHost g_samplingHost;

void ExitSequence() {
    // A window that shows a service's figures has no files of the folder's to save.
    if (g_app.Metrics) {
        g_app.Metrics->Stopped();
    }
    // A lost driver or the session's end has saved them already.
    if (g_app.Cycle && !g_app.Cycle->LostDriver() && !g_app.SessionEnded) {
        SaveProgramFiles();
    }
    g_app.Cycle.reset();
    g_app.Metrics.reset();
    g_app.Tables.reset();
    if (g_app.Driver) {
        g_app.Driver->Close();
    }
    g_app.FolderLock.Release();
}

// The folder is this program's to sample: its files, the driver or the
// simulated source, and the sampling cycle.
void PrepareSampling() {
    if (common::EnoughFreeSpace(common::FreeDiskBytes(g_app.StartDirectory))) {
        CreateDirectoryA("REPORTS", nullptr);
    }
    LoadStatistics(kStatisticsFileName, g_app.Tables->Records);
    LoadHistory(g_app.InStartDirectory(kHistoryFileName), g_app.InStartDirectory(kDamagedHistoryName), *g_app.History,
                g_app.Alerts);
    ReadSettingsFile(kSettingsFileName, g_app.Settings, g_app.Alerts);
    g_app.Metrics = std::make_unique<MetricsPublisher>(
        g_app.Settings, *g_app.Tables, g_app.MetricsAlerts,
        MetricsPath(g_app.Settings.Metrics.File, g_app.StartDirectory, common::Utf8ToAnsi), common::AnsiToUtf8,
        [] { return common::FreeDiskBytes(g_app.StartDirectory); });
    g_app.Driver = std::make_unique<DriverLink>(g_app.DeviceOpener, g_app.PlatformId, *g_app.Tables);
    g_app.Simulated = std::make_unique<SimulatedSource>(*g_app.Tables);
    g_app.Cycle = std::make_unique<SamplingCycle>(g_app.Source(), *g_app.Tables, g_app.Clock, g_samplingHost,
                                                  g_app.InStartDirectory(kStatisticsFileName), g_app.History.get(),
                                                  g_app.InStartDirectory(kHistoryFileName));
}

// The folder is held: a service's on this computer is shown, unless another
// window shows it already; anything else is said, and the program ends.
bool PrepareServiceWindow() {
    const std::optional<common::LockHolder>& holder = g_app.FolderLock.Holder();
    if (!holder || !common::ShowsServiceFigures(*holder, common::ComputerName())) {
        common::AnswerSecondCopy(holder, common::kMonitorKind, kWindowClass);
        return false;
    }
    if (!g_app.WindowLock.Take(common::ServiceWindowLockName(holder->Service), false, kWindowClass,
                               common::ServiceWindowHeldText)) {
        return false;
    }
    g_app.ServiceName = holder->Service;
    g_app.Figures = std::make_unique<ServiceFigures>(g_app.ServiceName);
    g_app.Reader = std::make_unique<ServiceReader>(*g_app.Figures, *g_app.Tables, g_app.Settings);
    return true;
}

}  // namespace

void SaveProgramFiles() {
    // A chooser still open at the session's end may have moved the current directory.
    g_app.RestoreStartDirectory();
    const double freeBytes = common::FreeDiskBytes(g_app.StartDirectory);
    SaveStatisticsAndSettings(
        freeBytes, [] { WriteSettingsFile(kSettingsFileName, g_app.Settings, g_app.Alerts); }, kStatisticsFileName,
        g_app.Tables->Records, g_app.Alerts);
    g_app.Cycle->SaveHistory(freeBytes);
}

int RunMonitor(HINSTANCE instance, const char* commandLine, int showState) {
    g_app.Instance = instance;
    if (!RegisterMainWindowClass(instance) || !RegisterGraphClass(instance)) {
        return 0;
    }
    HMENU menu = LoadMenuA(instance, "Zorvel");
    g_app.Settings = ProgramSettings();
    g_app.Simulation = SimulationRequested(commandLine);
    g_app.PlatformId = common::PlatformId();
    g_app.ArrowCursor = LoadCursorA(nullptr, IDC_ARROW);
    g_app.SizeCursor = LoadCursorA(nullptr, IDC_SIZEWE);
    g_app.MoveCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_MOVE_COLUMN));
    g_app.StartDirectory = common::CurrentDirectory();
    g_app.Tables = CreatePortTables();
    g_app.History = CreateHistory();
    g_app.StatisticCount = CountStatistics();
    if (g_app.FolderLock.Take(g_app.StartDirectory, common::kMonitorKind) != common::LockState::Held) {
        PrepareSampling();
    } else if (!PrepareServiceWindow()) {
        return 0;
    }

    HWND window = CreateWindowExA(0, kWindowClass, g_app.ShowsService() ? kServiceWindowTitle : kWindowTitle,
                                  WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, instance, nullptr);
    if (window == nullptr || !IsWindow(window)) {
        return 0;
    }
    ShowWindow(window, showState);

    common::RunMessageLoop();
    ExitSequence();
    return 0;
}

}  // namespace zorvel

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showState) {
    return zorvel::RunMonitor(instance, commandLine, showState);
}
