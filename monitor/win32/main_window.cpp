#include "monitor/win32/main_window.h"

#include <string>

#include "common/win32/dialogs.h"
#include "monitor/about_text.h"
#include "monitor/grid/view_state.h"
#include "monitor/win32/monitor_app.h"
#include "resources/zorvel_ids.h"

namespace zorvel {
namespace {

constexpr UINT_PTR kSampleTimer = 0;

ViewState* ViewOf(HWND window) {
    return reinterpret_cast<ViewState*>(GetWindowLongPtrA(window, 0));
}

void StartSampleTimer(HWND window) {
    SetTimer(window, kSampleTimer, static_cast<UINT>(g_app.Settings.UpdateTime) * 1000u, nullptr);
}

LRESULT OnCreate(HWND window) {
    g_app.MainWindow = window;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(CreateView().release()));
    // A lost driver has destroyed the window inside the tick: stop here.
    if (!g_app.Cycle->Tick(*ViewOf(window))) {
        return 0;
    }
    const ViewState* view = ViewOf(window);
    if (view->WindowWidth != 0 && view->WindowHeight != 0) {
        MoveWindow(window, view->WindowLeft, view->WindowTop, view->WindowWidth, view->WindowHeight, TRUE);
    }
    StartSampleTimer(window);
    return 0;
}

LRESULT OnDestroy(HWND window) {
    std::unique_ptr<ViewState> view(ViewOf(window));
    SetWindowLongPtrA(window, 0, 0);
    PostQuitMessage(0);
    return 0;
}

LRESULT OnSize(HWND window, LPARAM lParam) {
    ViewState* view = ViewOf(window);
    if (view != nullptr) {
        view->ClientWidth = LOWORD(lParam);
        view->ClientHeight = HIWORD(lParam);
    }
    return 0;
}

LRESULT OnTimer(HWND window) {
    ViewState* view = ViewOf(window);
    if (view != nullptr) {
        g_app.Cycle->Tick(*view);
    }
    return 0;
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnMouseMove(HWND window, LPARAM lParam) {
    if (g_app.CursorPending) {
        g_app.CursorPending = false;
        switch (g_app.CursorMode) {
            case 0: SetCursor(g_app.ArrowCursor); break;
            case 1: SetCursor(g_app.MoveCursor); break;
            case 2: SetCursor(g_app.SizeCursor); break;
            default: break;
        }
    }
    ViewState* view = ViewOf(window);
    if (view != nullptr) {
        view->PointerX = LOWORD(lParam);
        view->PointerY = HIWORD(lParam);
    }
    return 0;
}

void EditReport(HWND window) {
    std::string name = "*.txt";
    if (common::PickFileName(window, false, name, "REPORTS", nullptr) == 0) {
        const std::string command = "notepad.exe " + name;
        WinExec(command.c_str(), SW_RESTORE);
    }
    g_app.RestoreStartDirectory();
}

void ShowAbout(HWND window) {
    char text[256];
    wsprintfA(text, kAboutFormat, kMonitorVersion);
    MessageBoxA(window, text, kAboutCaption, MB_OK);
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    switch (wParam) {
        case IDM_EXIT: DestroyWindow(window); break;
        case IDM_EDIT_REPORT: EditReport(window); break;
        case IDM_HELP: common::OpenHelpTopic(1); break;
        case IDM_ABOUT: ShowAbout(window); break;
        default: break;
    }
    return 0;
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbWndExtra = sizeof(LONG_PTR);  // the view state pointer
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, "zorvel");
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: return OnCreate(window);
        case WM_DESTROY: return OnDestroy(window);
        case WM_SIZE: return OnSize(window, lParam);
        case WM_PAINT: return OnPaint(window);
        case WM_TIMER: return OnTimer(window);
        case WM_COMMAND: return OnCommand(window, wParam);
        case WM_NCMOUSEMOVE: g_app.CursorPending = true; return 0;
        case WM_MOUSEMOVE: return OnMouseMove(window, lParam);
        case WM_KEYDOWN: return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace zorvel
