#include "common/win32/window_rectangle.h"

#include <vector>

namespace common {
namespace {

ScreenArea AreaOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

WindowShow ShowOf(HWND window) {
    if (IsIconic(window)) {
        return WindowShow::Minimised;
    }
    return IsZoomed(window) ? WindowShow::Maximised : WindowShow::Normal;
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info)) {
        reinterpret_cast<std::vector<ScreenArea>*>(areas)->push_back(AreaOf(info.rcWork));
    }
    return TRUE;
}

}  // namespace

std::optional<WindowRectangle> RecordedRectangle(HWND window) {
    RECT outer;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetWindowRect(window, &outer) || !GetWindowPlacement(window, &placement)) {
        return std::nullopt;
    }
    WindowFacts facts{ShowOf(window), AreaOf(outer), AreaOf(placement.rcNormalPosition), 0, 0};
    // The restored rectangle is relative to the work area of the window's
    // monitor (a taskbar at the left or top shifts it), except for tool windows.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) &&
        GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) {
        facts.WorkOffsetX = monitor.rcWork.left - monitor.rcMonitor.left;
        facts.WorkOffsetY = monitor.rcWork.top - monitor.rcMonitor.top;
    }
    return RectangleToRecord(facts);
}

void MoveToRememberedRectangle(HWND window, const WindowRectangle& remembered) {
    std::vector<ScreenArea> workAreas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&workAreas));
    const std::optional<WindowRectangle> target =
        RectangleToApply(remembered, workAreas, GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK));
    if (target) {
        MoveWindow(window, target->Left, target->Top, target->Width, target->Height, TRUE);
    }
}

}  // namespace common
