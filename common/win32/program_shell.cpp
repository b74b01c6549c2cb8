#include "common/win32/program_shell.h"

namespace common {

bool RegisterMainWindowClass(HINSTANCE instance, WNDPROC procedure, const char* className, const char* iconName,
                             HCURSOR cursor) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, iconName);
    windowClass.hCursor = cursor;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) != 0;
}

void ShowAbout(HWND window, const char* format, const char* version, const char* caption) {
    char text[256];
    wsprintfA(text, format, version);
    MessageBoxA(window, text, caption, MB_OK);
}

void OpenInNotepad(const std::string& file) {
    const std::string command = "notepad.exe " + file;
    WinExec(command.c_str(), SW_RESTORE);
}

}  // namespace common
