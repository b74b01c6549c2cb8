// The remembered window rectangle read from and applied to a real window.
#pragma once

#include <optional>

#include <windows.h>

#include "common/window_placement.h"

namespace common {

// The rectangle to remember for `window` as it closes: its restored one when it
// is minimised or maximised. Nothing when the window cannot be asked.
std::optional<WindowRectangle> RecordedRectangle(HWND window);

// Moves `window` to a remembered rectangle, brought onto a screen first when it
// lies off every one; a width or height of 0 leaves the window where it is.
void MoveToRememberedRectangle(HWND window, const WindowRectangle& remembered);

}  // namespace common
