// Message boxes, choosers, help and the free-disk query shared by both programs.
#pragma once

#include <string>

#include <windows.h>

namespace common {

// The button pressed; the box has no owner and the program's caption.
int PromptBox(UINT style, const char* format, ...);
void AlertBox(const char* format, ...);
// The text as it is, however long.
void AlertBoxText(const std::string& text);

// 0 when a name was chosen (written to fileName), 1 otherwise. fileName is the
// proposed name on entry. filter is a double-NUL-terminated list, or null.
int PickFileName(HWND owner, bool save, std::string& fileName, const char* initialDir, const char* filter);

// Always 0; the owner repaints whatever the user chose.
int PickColour(HWND owner, COLORREF& colour);

// 0 when a font was chosen, 1 when cancelled (nothing changes then).
int PickFont(HWND owner, COLORREF& colour, LOGFONTA& font);

void OffsetToScreen(HWND window, POINT& point);

// The help file's topic; without a help file beside the program, the guide
// beside it (or in the folder above) in the user's browser.
int OpenHelpTopic(int context);

}  // namespace common
