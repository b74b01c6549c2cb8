// What both programs' main windows do alike: their window class, the About
// box and opening a text file in Notepad.
#pragma once

#include <string>

#include <windows.h>

namespace common {

// Registers a main window class whose extra bytes hold one pointer (the
// window's state); `cursor` may be null for a window that sets its own.
bool RegisterMainWindowClass(HINSTANCE instance, WNDPROC procedure, const char* className, const char* iconName,
                             HCURSOR cursor);

// The About box: `format` filled with `version`, over the main window.
void ShowAbout(HWND window, const char* format, const char* version, const char* caption);

// Starts Notepad on `file` without waiting for it.
void OpenInNotepad(const std::string& file);

}  // namespace common
