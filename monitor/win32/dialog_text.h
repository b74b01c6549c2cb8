#pragma once

#include <string>

#include <windows.h>

namespace zorvel {

// The whole text of a dialog control, however long.
std::string DialogItemText(HWND dialog, int id);

}  // namespace zorvel
