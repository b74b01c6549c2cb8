#include "monitor/win32/sampling_host.h"

#include <windows.h>

#include <vector>

#include "common/win32/dialogs.h"
#include "common/win32/free_disk.h"
#include "monitor/about_text.h"
#include "monitor/files/settings_file.h"
#include "monitor/grid/changed_cells.h"
#include "monitor/grid/grid_text.h"
#include "monitor/grid/layout.h"
#include "monitor/reports/report_runs.h"
#include "monitor/win32/graph_window.h"
#include "monitor/win32/grid_window.h"
#include "monitor/win32/monitor_app.h"
#include "monitor/win32/report_environment.h"

namespace zorvel {
namespace {

ReportContext ReportsFor(const ViewState& view, ReportEnvironment& environment) {
    return ReportContext{view, *g_app.Tables, g_app.StatisticCount, environment, g_app.InStartDirectory("REPORTS")};
}

}  // namespace

AfterLoss WindowSamplingHost::DriverLost(const char*) {
    g_app.Metrics->DriverLost();
    return AfterLoss::Close;
}

void WindowSamplingHost::ShowDriverError(const char* text) {
    MessageBoxA(nullptr, text, kErrorCaption, MB_OK | MB_ICONQUESTION);
}

void WindowSamplingHost::CloseProgram() {
    DestroyWindow(g_app.MainWindow);
}

void WindowSamplingHost::RowCountChanged(ViewState& view) {
    WindowScrollBars bars(g_app.MainWindow);
    FitToWindow(view, bars);
    InvalidateRect(g_app.MainWindow, nullptr, TRUE);
}

double WindowSamplingHost::FreeDiskBytes() {
    return common::FreeDiskBytes(g_app.StartDirectory);
}

common::Alerts& WindowSamplingHost::Alerts() {
    return g_app.Alerts;
}

void WindowSamplingHost::RunHourReports(ViewState& view) {
    WindowsReportEnvironment environment;
    zorvel::RunHourReports(ReportsFor(view, environment), g_app.Settings);
}

void WindowSamplingHost::WriteSettingsFile() {
    zorvel::WriteSettingsFile(g_app.InStartDirectory(kSettingsFileName).c_str(), g_app.Settings, g_app.Alerts);
}

void WindowSamplingHost::RunDayReports(ViewState& view) {
    WindowsReportEnvironment environment;
    zorvel::RunDayReports(ReportsFor(view, environment), g_app.Settings);
}

void WindowSamplingHost::Sampled(bool minuteEnded) {
    g_app.Metrics->Sampled(g_app.Clock.UnixSeconds(), minuteEnded);
}

void WindowSamplingHost::Repaint(ViewState& view) {
    std::vector<CellRect> changed;
    const auto cellText = [&view](int row, int column) { return GridCellText(view, *g_app.Tables, row, column); };
    if (ChangedCells(view, cellText, changed)) {
        InvalidateCells(g_app.MainWindow, changed);
    } else {
        InvalidateRect(g_app.MainWindow, nullptr, FALSE);
    }
    RefreshGraphs();
}

}  // namespace zorvel
