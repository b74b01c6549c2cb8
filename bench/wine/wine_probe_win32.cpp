// wine_probe: looks at a running program from outside, for scripts/soak.sh and
// scripts/bench-wine.sh. Every figure goes to standard output on one line.
//
//   start MS CLASS TITLE COMMAND...   starts COMMAND, waits up to MS for its
//                                     window to be shown with nothing left to
//                                     paint; prints "PID MS_TO_FIRST_PAINT"
//   memory PID                        "PRIVATE_BYTES WORKING_SET"
//   wait PID MS                       waits up to MS for the process to end
//   maximise CLASS TITLE              maximises the window
//   redraw CLASS TITLE N PAUSE [L T R B]
//                                     N forced repaints of the client area (or
//                                     of the rectangle), PAUSE ms apart;
//                                     prints "MIN MEDIAN MAX" in ms
//   burst MS SECONDS                  asks the stand-in for a full trace reply
//                                     every MS for SECONDS
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/win32/standin_service.h"

namespace {

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct WindowQuery {
    const char* Class;
    const char* Title;
    DWORD Process;  // 0: any
    HWND Found;
};

BOOL CALLBACK Match(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<WindowQuery*>(parameter);
    char text[256] = {};
    char className[256] = {};
    GetWindowTextA(window, text, sizeof text);
    GetClassNameA(window, className, sizeof className);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (lstrcmpA(className, query->Class) == 0 && lstrcmpA(text, query->Title) == 0 &&
        (query->Process == 0 || query->Process == process)) {
        query->Found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopLevel(const char* windowClass, const char* title, DWORD process = 0) {
    WindowQuery query{windowClass, title, process, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&query));
    return query.Found;
}

HWND Require(const char* windowClass, const char* title) {
    HWND window = FindTopLevel(windowClass, title);
    if (window == nullptr) {
        std::fprintf(stderr, "wine_probe: no window \"%s\" of class %s\n", title, windowClass);
    }
    return window;
}

HANDLE OpenForQuery(const char* pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE,
                                 static_cast<DWORD>(std::strtoul(pid, nullptr, 10)));
    if (process == nullptr) {
        std::fprintf(stderr, "wine_probe: cannot open process %s, error %lu\n", pid, GetLastError());
    }
    return process;
}

int Start(int argc, char** argv) {
    const DWORD limit = static_cast<DWORD>(std::atoi(argv[2]));
    std::string command;
    for (int i = 5; i < argc; ++i) {
        command += (i > 5 ? " " : "") + std::string(argv[i]);
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    const double begin = NowMs();
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        std::fprintf(stderr, "wine_probe: cannot start %s, error %lu\n", command.c_str(), GetLastError());
        return 1;
    }
    CloseHandle(started.hThread);
    // Painted once the window shows and the system holds no update region for
    // it: the program has been through BeginPaint and EndPaint.
    for (;;) {
        HWND window = FindTopLevel(argv[3], argv[4], started.dwProcessId);
        if (window != nullptr && IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE)) {
            break;
        }
        if (NowMs() - begin > limit || WaitForSingleObject(started.hProcess, 0) == WAIT_OBJECT_0) {
            std::fprintf(stderr, "wine_probe: %s showed no painted window within %lu ms\n", command.c_str(),
                         static_cast<unsigned long>(limit));
            return 1;
        }
        Sleep(1);
    }
    std::printf("%lu %.1f\n", static_cast<unsigned long>(started.dwProcessId), NowMs() - begin);
    CloseHandle(started.hProcess);
    return 0;
}

int Memory(const char* pid) {
    HANDLE process = OpenForQuery(pid);
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (process == nullptr ||
        !GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
        return 1;
    }
    // Wine leaves PrivateUsage at 0 and counts private bytes as the page file's.
    const SIZE_T privateBytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    std::printf("%lu %lu\n", static_cast<unsigned long>(privateBytes),
                static_cast<unsigned long>(counters.WorkingSetSize));
    CloseHandle(process);
    return 0;
}

int Wait(char** argv) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
    if (process == nullptr) {
        return 0;
    }
    const DWORD waited = WaitForSingleObject(process, static_cast<DWORD>(std::atoi(argv[3])));
    CloseHandle(process);
    if (waited != WAIT_OBJECT_0) {
        std::fprintf(stderr, "wine_probe: process %s still runs\n", argv[2]);
        return 1;
    }
    return 0;
}

int Maximise(char** argv) {
    HWND window = Require(argv[2], argv[3]);
    if (window == nullptr) {
        return 1;
    }
    ShowWindowAsync(window, SW_MAXIMIZE);
    for (int i = 0; i < 500 && !IsZoomed(window); ++i) {
        Sleep(10);
    }
    // Lets the program finish the paint the new size asked for.
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
    RECT box;
    GetWindowRect(window, &box);
    std::printf("%ldx%ld+%ld+%ld%s\n", box.right - box.left, box.bottom - box.top, box.left, box.top,
                IsZoomed(window) ? " maximised" : "");
    return IsZoomed(window) ? 0 : 1;
}

int Redraw(int argc, char** argv) {
    HWND window = Require(argv[2], argv[3]);
    const int count = std::atoi(argv[4]);
    const DWORD pause = static_cast<DWORD>(std::atoi(argv[5]));
    if (window == nullptr || count < 1) {
        return 1;
    }
    RECT area;
    const RECT* part = nullptr;
    if (argc == 10) {
        area = {std::atol(argv[6]), std::atol(argv[7]), std::atol(argv[8]), std::atol(argv[9])};
        part = &area;
    }
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const double begin = NowMs();
        if (!RedrawWindow(window, part, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW)) {
            std::fprintf(stderr, "wine_probe: the window is gone\n");
            return 1;
        }
        times.push_back(NowMs() - begin);
        Sleep(pause);
    }
    std::sort(times.begin(), times.end());
    std::printf("%.2f %.2f %.2f\n", times.front(), times[times.size() / 2], times.back());
    return 0;
}

int Burst(char** argv) {
    const DWORD every = static_cast<DWORD>(std::atoi(argv[2]));
    const double end = NowMs() + 1000.0 * std::atof(argv[3]);
    std::string reply;
    while (NowMs() < end) {
        const std::string problem = standin::Send("", "burst 10084", reply);
        if (!problem.empty()) {
            std::fprintf(stderr, "wine_probe: %s\n", problem.c_str());
            return 1;
        }
        Sleep(every);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "start" && argc >= 6) {
        return Start(argc, argv);
    }
    if (command == "memory" && argc == 3) {
        return Memory(argv[2]);
    }
    if (command == "wait" && argc == 4) {
        return Wait(argv);
    }
    if (command == "maximise" && argc == 4) {
        return Maximise(argv);
    }
    if (command == "redraw" && (argc == 6 || argc == 10)) {
        return Redraw(argc, argv);
    }
    if (command == "burst" && argc == 4) {
        return Burst(argv);
    }
    std::fprintf(stderr,
                 "usage: wine_probe start MS CLASS TITLE COMMAND... | memory PID | wait PID MS |\n"
                 "       maximise CLASS TITLE | redraw CLASS TITLE N PAUSE [L T R B] | burst MS SECONDS\n");
    return 2;
}
