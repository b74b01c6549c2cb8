#include "monitor/win32/main_window.h"

#include <cstdio>
#include <string>

#include "common/prompter.h"
#include "common/win32/clipboard.h"
#include "common/win32/dialogs.h"
#include "common/win32/local_time.h"
#include "common/win32/program_shell.h"
#include "common/win32/window_rectangle.h"
#include "monitor/about_text.h"
#include "monitor/files/settings_file.h"
#include "monitor/files/view_file.h"
#include "monitor/grid/columns.h"
#include "monitor/grid/grid_copy.h"
#include "monitor/grid/grid_text.h"
#include "monitor/grid/hit_commands.h"
#include "monitor/grid/view_state.h"
#include "monitor/win32/column_dialog.h"
#include "monitor/win32/graph_window.h"
#include "monitor/win32/grid_mouse.h"
#include "monitor/win32/grid_window.h"
#include "monitor/win32/sampling_host.h"
#include "monitor/win32/monitor_app.h"
#include "monitor/win32/setup_dialog.h"
#include "resources/zorvel_ids.h"

namespace zorvel {
namespace {

constexpr UINT_PTR kSampleTimer = 0;

ViewState* ViewOf(HWND window) {
    return reinterpret_cast<ViewState*>(GetWindowLongPtrA(window, 0));
}

constexpr char kViewFilter[] = "View Files (*.vew)\0*.vew\0All Files (*.*)\0*.*\0";

// What the timer was last set to; a window that shows a service's figures
// follows the service's period.
uint32_t g_timerPeriod = 0;

void StartSampleTimer(HWND window) {
    g_timerPeriod = SampleIntervalMs(g_app.Settings.UpdateTime);
    SetTimer(window, kSampleTimer, g_timerPeriod, nullptr);
    if (g_app.Metrics) {
        g_app.Metrics->SetPeriod(g_timerPeriod);
    }
}

std::string LocalClock(int64_t unixTime) {
    if (unixTime == 0) {
        return {};
    }
    const common::LocalTime local = common::LocalTimeAt(unixTime);
    char text[16];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u", local.Hour, local.Minute, local.Second);
    return text;
}

// A tick of a window that shows a service's figures: the newest ones, laid out
// and repainted as a sampling tick's are; the caption says once when the
// service stops and when it runs again.
void ShowServiceFigures(HWND window, ViewState& view) {
    const ReaderNews news = g_app.Reader->Tick();
    if (AnyGraphOpen()) {
        g_app.Figures->TakeHistory(*g_app.History);
    }
    WindowSamplingHost host;
    if (SetRowCount(view, CountPorts(g_app.Tables->Names))) {
        host.RowCountChanged(view);
    }
    if (news != ReaderNews::None) {
        SetWindowTextA(window,
                       ServiceWindowCaption(g_app.Reader->Running(), LocalClock(g_app.Reader->ShownSample())).c_str());
    }
    if (g_timerPeriod != 0 && SampleIntervalMs(g_app.Settings.UpdateTime) != g_timerPeriod) {
        StartSampleTimer(window);
    }
    host.Repaint(view);
}

// One tick of whichever the window does; false when a lost driver has closed it.
bool Tick(HWND window, ViewState& view) {
    if (g_app.ShowsService()) {
        ShowServiceFigures(window, view);
        return true;
    }
    return g_app.Cycle->Tick(view);
}

void Relayout(HWND window, ViewState& view) {
    ApplyFont(window, view, g_app.GridFont);
}

LRESULT OnCreate(HWND window) {
    g_app.MainWindow = window;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(CreateView().release()));
    AttachWindow(window, *ViewOf(window), g_app.GridFont, g_app.StatisticCount, g_app.Alerts);
    // A lost driver has destroyed the window inside the tick: stop here.
    if (!Tick(window, *ViewOf(window))) {
        return 0;
    }
    const ViewState* view = ViewOf(window);
    common::MoveToRememberedRectangle(window, view->Window);
    StartSampleTimer(window);
    return 0;
}

LRESULT OnDestroy(HWND window) {
    CloseGraphs();
    std::unique_ptr<ViewState> view(ViewOf(window));
    SetWindowLongPtrA(window, 0, 0);
    if (view && !g_app.SessionEnded) {
        SaveViewOnClose(window, *view, g_app.Alerts);
    }
    g_app.GridFont.Reset();
    PostQuitMessage(0);
    return 0;
}

// The system may end the process as soon as this returns, without a
// WM_DESTROY: the exit's saves happen here, once, without boxes and in order
// of value; then the monitor samples no more and ends by itself.
LRESULT OnEndSession(HWND window, WPARAM ending) {
    ViewState* view = ViewOf(window);
    if (ending == FALSE || view == nullptr || g_app.SessionEnded) {
        return 0;
    }
    KillTimer(window, kSampleTimer);
    g_app.Alerts.Quiet = true;
    g_app.RestoreStartDirectory();
    CloseGraphs();
    if (g_app.Cycle && !g_app.Cycle->LostDriver()) {
        SaveProgramFiles();
    }
    SaveViewOnClose(window, *view, g_app.Alerts);
    if (g_app.Metrics) {
        g_app.Metrics->Stopped();
    }
    g_app.SessionEnded = true;
    DestroyWindow(window);
    return 0;
}

LRESULT OnSize(HWND window, LPARAM lParam) {
    ViewState* view = ViewOf(window);
    if (view == nullptr) {
        return 0;
    }
    view->ClientWidth = LOWORD(lParam);
    view->ClientHeight = HIWORD(lParam);
    WindowScrollBars bars(window);
    if (FitToWindow(*view, bars) == 1) {
        InvalidateRect(window, nullptr, TRUE);
    }
    return 0;
}

LRESULT OnTimer(HWND window) {
    ViewState* view = ViewOf(window);
    if (view != nullptr) {
        Tick(window, *view);
    }
    return 0;
}

LRESULT OnPaint(HWND window) {
    const RegionObject region = TakeUpdateRegion(window);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const ViewState* view = ViewOf(window);
    if (view != nullptr) {
        DrawGrid(
            dc, *view, g_app.GridFont.Get(),
            [view](int row, int column) { return GridCellText(*view, *g_app.Tables, row, column); }, paint.rcPaint,
            region.Get());
    }
    EndPaint(window, &paint);
    return 0;
}

static_assert(kScrollLineUp == SB_LINEUP && kScrollLineDown == SB_LINEDOWN && kScrollPageUp == SB_PAGEUP &&
                  kScrollPageDown == SB_PAGEDOWN && kScrollThumbTrack == SB_THUMBTRACK,
              "the core's scroll codes are the platform's");

LRESULT OnScroll(HWND window, ScrollBar bar, WPARAM wParam) {
    ViewState* view = ViewOf(window);
    if (view != nullptr && ScrollStep(*view, bar, LOWORD(wParam), static_cast<short>(HIWORD(wParam)))) {
        WindowScrollBars bars(window);
        ClampScroll(*view, bars);
        InvalidateRect(window, nullptr, TRUE);
    }
    return 0;
}

LRESULT OnMouseMove(HWND window, LPARAM lParam) {
    if (g_app.CursorPending) {
        g_app.CursorPending = false;
        HCURSOR cursor = CursorFor(g_app.CursorMode);
        if (cursor != nullptr) {
            SetCursor(cursor);
        }
    }
    ViewState* view = ViewOf(window);
    if (view != nullptr) {
        view->PointerX = LOWORD(lParam);
        view->PointerY = HIWORD(lParam);
    }
    return 0;
}

LRESULT OnMouseButton(HWND window, MouseMessage message) {
    ViewState* view = ViewOf(window);
    if (view != nullptr) {
        HandleGridButton(window, *view, message);
    }
    return 0;
}

// A copy that fails says so: the clipboard would otherwise still hold whatever
// was there before, and be pasted as if it were the grid.
void CopyGrid(HWND window, const ViewState& view) {
    if (!common::PutClipboardText(window, GridCopyText(view, *g_app.Tables))) {
        g_app.Alerts.Alert(kCopyFailedText);
    }
}

// Ctrl+C is the one key the grid takes; the others stay swallowed.
LRESULT OnKeyDown(HWND window, WPARAM key) {
    const ViewState* view = ViewOf(window);
    if (view != nullptr && key == 'C' && GetKeyState(VK_CONTROL) < 0) {
        CopyGrid(window, *view);
    }
    return 0;
}

// A lost driver may destroy the window while the question is open; the answer
// then no longer concerns any view.
class WindowPrompter : public common::Prompter {
public:
    explicit WindowPrompter(HWND window) : window_(window) {}
    bool AskYesNo(const std::string& question) override {
        return common::PromptBox(MB_YESNO, "%s", question.c_str()) == IDYES && ViewOf(window_) != nullptr;
    }

private:
    HWND window_;
};

// Modal loops (choosers, questions, dialogs) run ticks, which may destroy the
// window and its view: every command looks the view up again afterwards.
void RelayoutIfAlive(HWND window) {
    ViewState* view = ViewOf(window);
    if (view != nullptr) {
        Relayout(window, *view);
    }
}

void ResetStatistics(HWND window, ViewState& view) {
    WindowPrompter prompter(window);
    if (const auto plan = PlanHitReset(view, prompter)) {
        if (g_app.ShowsService()) {
            // The service keeps the figures; its next publication shows the reset.
            ServiceReply reply;
            AskService(g_app.ServiceName, ResetRequest(*plan), reply);
        } else {
            ApplyReset(*g_app.Tables, view.GridRows, *plan);
        }
    }
    RelayoutIfAlive(window);
}

void EditHitColumn(HWND window, ViewState& view) {
    ColumnDef* column = HitColumnDef(view);
    if (column != nullptr) {
        RunColumnDialog(window, *column, g_app.StatisticCount);
    }
    RelayoutIfAlive(window);
}

void AddColumn(HWND window, ViewState& view) {
    if (AddColumnAfterHit(view) == 0) {
        EditHitColumn(window, view);
    }
}

void RemoveClickedColumn(HWND window, ViewState& view) {
    if (RemoveHitColumn(view) == 0) {
        Relayout(window, view);
    }
}

void EditReport(HWND window) {
    std::string name = "*.txt";
    if (common::PickFileName(window, false, name, "REPORTS", nullptr) == 0) {
        common::OpenInNotepad(name);
    }
    g_app.RestoreStartDirectory();
}

void OpenView(HWND window) {
    std::string name = "*.vew";
    const bool chosen = common::PickFileName(window, false, name, nullptr, kViewFilter) == 0;
    g_app.RestoreStartDirectory();
    ViewState* view = ViewOf(window);
    if (chosen && view != nullptr) {
        ReadViewFile(*view, name.c_str(), g_app.StatisticCount, g_app.Alerts);
        view->GridColumns = static_cast<int16_t>(view->ColumnCount + 1);
        Relayout(window, *view);
    }
}

// The settings of a service's folder are the service's to write.
void SaveView(ViewState& view) {
    WriteViewFile(view, nullptr, g_app.Alerts);
    if (!g_app.ShowsService()) {
        WriteSettingsFile(kSettingsFileName, g_app.Settings, g_app.Alerts);
    }
}

void SaveViewAs(HWND window, const std::string& viewPath) {
    std::string name = viewPath;
    const bool chosen = common::PickFileName(window, true, name, nullptr, kViewFilter) == 0;
    g_app.RestoreStartDirectory();
    ViewState* view = ViewOf(window);
    if (chosen && view != nullptr) {
        WriteViewFile(*view, name.c_str(), g_app.Alerts);
    }
}

void DefaultCompleteView(HWND window) {
    WindowPrompter prompter(window);
    if (!prompter.AskYesNo("Default complete view?")) {
        return;
    }
    ViewState& view = *ViewOf(window);
    view.GridColumns = 1;
    view.ColumnCount = 0;
    DefaultView(view, g_app.StatisticCount);
    view.GridColumns = static_cast<int16_t>(view.ColumnCount + 1);
    Relayout(window, view);
}

void ChooseFont(HWND window, const FontSpec& current) {
    LOGFONTA description = {};
    description.lfHeight = current.Height;
    lstrcpynA(description.lfFaceName, current.Face, sizeof description.lfFaceName);
    // The chooser offers no colour; it only hands back what it was given.
    COLORREF colour = 0;
    const bool chosen = common::PickFont(window, colour, description) == 0;
    ViewState* view = ViewOf(window);
    if (!chosen || view == nullptr) {
        return;
    }
    view->Font.Height = description.lfHeight;
    lstrcpynA(view->Font.Face, description.lfFaceName, sizeof view->Font.Face);
    Relayout(window, *view);
    WindowScrollBars bars(window);
    ClampScroll(*view, bars);
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    ViewState* view = ViewOf(window);
    if (view == nullptr) {
        return 0;
    }
    switch (wParam) {
        case IDM_OPEN: OpenView(window); break;
        case IDM_SAVE: SaveView(*view); break;
        case IDM_SAVE_AS: SaveViewAs(window, view->ViewPath); break;
        case IDM_VIEW_DEFAULT: DefaultCompleteView(window); break;
        case IDM_FONT: ChooseFont(window, view->Font); break;
        case IDM_CONFIG:
            RunSetupDialog(window, *view);
            StartSampleTimer(window);
            break;
        case IDM_EXIT: DestroyWindow(window); break;
        case IDM_EDIT_REPORT: EditReport(window); break;
        case IDM_HELP: common::OpenHelpTopic(1); break;
        case IDM_ABOUT: common::ShowAbout(window, kAboutFormat, kMonitorVersion, kAboutCaption); break;
        case IDM_REMOVE: RemoveClickedColumn(window, *view); break;
        case IDM_RESET: ResetStatistics(window, *view); break;
        case IDM_PROPERTIES: EditHitColumn(window, *view); break;
        case IDM_ADD: AddColumn(window, *view); break;
        // The selected row's port, or the first one with no row selected.
        case IDM_GRAPH: OpenGraph(view->HitRow >= 1 ? view->HitRow - 1 : 0); break;
        case IDM_GRAPH_PORT: OpenGraph(view->HitRow - 1); break;
        default: break;
    }
    return 0;
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
    // No class cursor: the grid sets the arrow, sizing or moving one itself.
    return common::RegisterMainWindowClass(instance, MainWindowProc, kWindowClass, "zorvel", nullptr);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return OnCreate(window);
        case WM_DESTROY: return OnDestroy(window);
        case WM_SIZE: return OnSize(window, lParam);
        case WM_PAINT: return OnPaint(window);
        case WM_ERASEBKGND:
            // The paint fills the background itself; erasing first would flicker.
            return ViewOf(window) != nullptr ? 1 : DefWindowProcA(window, message, wParam, lParam);
        case WM_TIMER: return OnTimer(window);
        case WM_HSCROLL: return OnScroll(window, ScrollBar::Horizontal, wParam);
        case WM_VSCROLL: return OnScroll(window, ScrollBar::Vertical, wParam);
        case WM_COMMAND: return OnCommand(window, wParam);
        case WM_NCMOUSEMOVE: g_app.CursorPending = true; return 0;
        case WM_MOUSEMOVE: return OnMouseMove(window, lParam);
        case WM_LBUTTONDOWN: return OnMouseButton(window, MouseMessage::LeftDown);
        case WM_LBUTTONUP: return OnMouseButton(window, MouseMessage::LeftUp);
        case WM_RBUTTONDOWN: return OnMouseButton(window, MouseMessage::RightDown);
        case WM_RBUTTONUP: return OnMouseButton(window, MouseMessage::RightUp);
        case WM_KEYDOWN: return OnKeyDown(window, wParam);
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION: return OnEndSession(window, wParam);
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace zorvel
