#include "tests/e2e/wait_win32.h"

namespace e2e {
namespace {

struct WindowQuery {
    DWORD ProcessId;
    const char* Class;
    const char* Title;
    HWND Found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<WindowQuery*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((query->ProcessId != 0 && owner != query->ProcessId) || !IsWindowVisible(window)) {
        return TRUE;
    }
    char text[512] = {};
    char className[256] = {};
    GetWindowTextA(window, text, sizeof text);
    GetClassNameA(window, className, sizeof className);
    if ((query->Class == nullptr || lstrcmpA(className, query->Class) == 0) &&
        (query->Title == nullptr || lstrcmpA(text, query->Title) == 0)) {
        query->Found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD ms, DWORD pollMs, HANDLE wake) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= ms) {
            return false;
        }
        if (wake != nullptr) {
            WaitForSingleObject(wake, pollMs);
        } else {
            Sleep(pollMs);  // the poll interval of every wait
        }
    }
    return true;
}

HWND FindVisibleWindow(DWORD processId, const char* windowClass, const char* title) {
    WindowQuery query{processId, windowClass, title, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.Found;
}

}  // namespace e2e
