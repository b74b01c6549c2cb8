#include "monitor/win32/sampling_host.h"

#include <windows.h>

#include "common/win32/dialogs.h"
#include "monitor/about_text.h"
#include "monitor/win32/monitor_app.h"

namespace zorvel {

void WindowSamplingHost::ShowDriverError(const char* text) {
    MessageBoxA(nullptr, text, kErrorCaption, MB_OK | MB_ICONQUESTION);
}

void WindowSamplingHost::CloseProgram() {
    DestroyWindow(g_app.MainWindow);
}

// The grid has no layout of its own yet; redrawing everything is all a new row
// count needs until it has.
void WindowSamplingHost::RowCountChanged(ViewState&) {
    InvalidateRect(g_app.MainWindow, nullptr, TRUE);
}

double WindowSamplingHost::FreeDiskBytes() {
    return common::FreeDiskBytes();
}

// The report writer and the settings file are not part of the program yet: an
// hour end saves calcs.dat and nothing else.
void WindowSamplingHost::RunHourReports(ViewState&) {}

void WindowSamplingHost::WriteSettingsFile() {}

void WindowSamplingHost::RunDayReports(ViewState&) {}

// Only invalidates: the cells are drawn by WM_PAINT once the grid paints.
void WindowSamplingHost::Repaint(ViewState&) {
    InvalidateRect(g_app.MainWindow, nullptr, FALSE);
}

}  // namespace zorvel
