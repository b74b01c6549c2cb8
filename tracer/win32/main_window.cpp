#include "tracer/win32/main_window.h"

#include <string>

#include "common/write_outcome.h"
#include "common/win32/dialogs.h"
#include "common/win32/program_shell.h"
#include "common/win32/time_stamp.h"
#include "common/win32/window_rectangle.h"
#include "resources/vizo_ids.h"
#include "tracer/about_text.h"
#include "tracer/settings_file.h"
#include "tracer/win32/vizo_app.h"

namespace vizo {
namespace {

constexpr UINT_PTR kTraceTimer = 0;
constexpr UINT kTracePeriodMs = 250;

TracerState* StateOf(HWND window) {
    return reinterpret_cast<TracerState*>(GetWindowLongPtrA(window, 0));
}

void ShowLogTick(const TracerState& state) {
    CheckMenuItem(g_app.Menu, IDM_LOG_TO_DISK, MF_BYCOMMAND | (state.LogToDisk != 0 ? MF_CHECKED : MF_UNCHECKED));
}

// Turns the log on or off as asked; a log that cannot be opened is said.
void ChooseDiskLog(TracerState& state, bool on) {
    if (!SetDiskLog(state, on)) {
        common::ReportWriteOutcome(common::WriteResult::OpenFailed, kLogFileName, g_app.Alerts);
    }
}

LRESULT OnCreate(HWND window) {
    auto* state = new TracerState();
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(state));
    LoadTracerSettings(*state, kSettingsFileName, g_app.Alerts);
    if (state->LogToDisk != 0) {
        ChooseDiskLog(*state, true);
    }
    g_app.Canvas = std::make_unique<WindowCanvas>(window);
    g_app.Screen.Attach(g_app.Canvas.get());
    if (state->LogToDisk != 0) {
        ShowLogTick(*state);
    }
    common::MoveToRememberedRectangle(window, state->Window);
    WriteBannerNow(*state);
    SetTimer(window, kTraceTimer, kTracePeriodMs, nullptr);
    return 0;
}

// The exit's saves: the placement and the log choice to vizo.ini, the log closed.
void SaveOnExit(HWND window, TracerState& state) {
    if (const auto recorded = common::RecordedRectangle(window)) {
        state.Window = *recorded;
    }
    // LogToDisk stays as it is, so the next start logs again.
    state.Log.Close();
    SaveTracerSettings(state, kSettingsFileName, g_app.Alerts);
}

LRESULT OnDestroy(HWND window) {
    KillTimer(window, kTraceTimer);
    std::unique_ptr<TracerState> state(StateOf(window));
    // Cleared first: a message box below runs a message loop of its own.
    SetWindowLongPtrA(window, 0, 0);
    g_app.Screen.Attach(nullptr);
    g_app.Canvas.reset();
    if (state && !g_app.SessionEnded) {
        SaveOnExit(window, *state);
    }
    PostQuitMessage(0);
    return 0;
}

// The system may end the process as soon as this returns, without a
// WM_DESTROY: the exit's saves happen here, once, and without boxes.
LRESULT OnEndSession(HWND window, WPARAM ending) {
    TracerState* state = StateOf(window);
    if (ending == FALSE || state == nullptr || g_app.SessionEnded) {
        return 0;
    }
    KillTimer(window, kTraceTimer);
    g_app.Alerts.Quiet = true;
    SaveOnExit(window, *state);
    g_app.SessionEnded = true;
    return 0;
}

LRESULT OnSize(HWND window, LPARAM lParam) {
    TracerState* state = StateOf(window);
    if (state != nullptr) {
        state->ClientWidth = LOWORD(lParam);
        state->ClientHeight = HIWORD(lParam);
        g_app.Screen.Resize(state->ClientWidth, state->ClientHeight);
    }
    return 0;
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    g_app.Screen.Refresh(true);
    return 0;
}

LRESULT OnTimer(HWND window) {
    TracerState* state = StateOf(window);
    if (state != nullptr) {
        g_app.Cycle->OnTraceTick(*state);
    }
    return 0;
}

LRESULT OnChar(HWND window, WPARAM wParam) {
    TracerState* state = StateOf(window);
    if (state != nullptr) {
        g_app.Cycle->OnTypedChar(*state, static_cast<char>(wParam));
    }
    return 0;
}

// F1 opens what Help > Help opens; a help file beside the program still gets
// the topic of the menu item F1 was pressed on.
LRESULT OnHelp(LPARAM lParam) {
    static const int kItemTopics[] = {IDM_LOG_TO_DISK, IDM_CLEAR_DISK_LOG, IDM_CLEAR_SCREEN, IDM_VIEW_DISK_LOG};
    const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
    int topic = 1;
    if (info->iContextType == HELPINFO_MENUITEM) {
        for (const int item : kItemTopics) {
            topic = info->iCtrlId == item ? item : topic;
        }
    }
    common::OpenHelpTopic(topic);
    return 0;
}

void ToggleDiskLog(TracerState& state) {
    ChooseDiskLog(state, state.LogToDisk == 0);
    ShowLogTick(state);
}

void ClearLog(TracerState& state) {
    const bool cleared = ClearDiskLog(state);
    ShowLogTick(state);
    if (cleared) {
        common::AlertBox("%s", kLogClearedText);
    } else {
        common::ReportWriteOutcome(common::WriteResult::OpenFailed, kLogFileName, g_app.Alerts);
    }
}

void ViewLog(TracerState& state) {
    // The editor then sees everything logged so far.
    if (state.LogToDisk != 0) {
        SetDiskLog(state, false);
        ChooseDiskLog(state, true);
        ShowLogTick(state);
    }
    common::OpenInNotepad(kLogFileName);
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    TracerState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    switch (LOWORD(wParam)) {
        case IDM_LOG_TO_DISK: ToggleDiskLog(*state); break;
        case IDM_CLEAR_DISK_LOG: ClearLog(*state); break;
        case IDM_CLEAR_SCREEN: g_app.Screen.Clear(); break;
        case IDM_VIEW_DISK_LOG: ViewLog(*state); break;
        case IDM_EXIT: DestroyWindow(window); break;
        case IDM_HELP: common::OpenHelpTopic(1); break;
        case IDM_ABOUT: common::ShowAbout(window, kAboutFormat, kVersionText, kAboutCaption); break;
        default: break;
    }
    return 0;
}

}  // namespace

void WriteBannerNow(TracerState& state) {
    std::string date;
    std::string time;
    common::LocalDateTimeStamp(date, time);
    WriteStartBanner(state, date, time);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
    return common::RegisterMainWindowClass(instance, MainWindowProc, kWindowClass, "vizo",
                                           LoadCursorA(nullptr, IDC_ARROW));
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return OnCreate(window);
        case WM_DESTROY: return OnDestroy(window);
        case WM_SIZE: return OnSize(window, lParam);
        case WM_PAINT: return OnPaint(window);
        case WM_SETFOCUS: ShowCursor(TRUE); return 0;
        case WM_KILLFOCUS: ShowCursor(FALSE); return 0;
        case WM_KEYDOWN: return 0;
        case WM_CHAR: return OnChar(window, wParam);
        case WM_TIMER: return OnTimer(window);
        case WM_HELP: return OnHelp(lParam);
        case WM_COMMAND: return OnCommand(window, wParam);
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION: return OnEndSession(window, wParam);
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace vizo
