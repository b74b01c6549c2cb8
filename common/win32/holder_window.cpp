#include "common/win32/holder_window.h"

#include <windows.h>

#include "common/win32/dialogs.h"
#include "common/win32/folder_lock.h"

namespace common {
namespace {

// The first copy takes its lock before it reads its files and makes its window.
constexpr DWORD kWindowWaitMs = 5000;
constexpr DWORD kWindowPollMs = 50;

struct WindowQuery {
    DWORD ProcessId;
    const char* Class;
    HWND Found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<WindowQuery*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner != query->ProcessId || lstrcmpA(className, query->Class) != 0 || !IsWindowVisible(window)) {
        return TRUE;
    }
    query->Found = window;
    return FALSE;
}

bool InThisSession(DWORD processId) {
    DWORD holder = 0;
    DWORD mine = 0;
    return ProcessIdToSessionId(processId, &holder) && ProcessIdToSessionId(GetCurrentProcessId(), &mine) &&
           holder == mine;
}

}  // namespace

bool BringHolderWindowForward(uint32_t processId, const char* windowClass) {
    WindowQuery query{processId, windowClass, nullptr};
    for (DWORD waited = 0;; waited += kWindowPollMs) {
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
        if (query.Found != nullptr || waited >= kWindowWaitMs) {
            break;
        }
        Sleep(kWindowPollMs);
    }
    if (query.Found == nullptr) {
        return false;
    }
    ShowWindowAsync(query.Found, IsIconic(query.Found) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(query.Found);
    return true;
}

void AnswerSecondCopy(const std::optional<LockHolder>& holder, const char* kind, const char* windowClass) {
    if (holder && BringsHolderForward(*holder, kind, ComputerName(), InThisSession(holder->ProcessId)) &&
        BringHolderWindowForward(holder->ProcessId, windowClass)) {
        return;
    }
    AlertBoxText(MonitorHeldText(holder));
}

}  // namespace common
