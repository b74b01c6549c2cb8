#pragma once

#include <windows.h>

#include "monitor/grid/mouse.h"

namespace zorvel {

// The loaded cursor for a CursorMode; null for a mode that has none.
HCURSOR CursorFor(int cursorMode);

// A mouse button over the grid: drags, the hit cell and the popup menu.
void HandleGridButton(HWND window, ViewState& view, MouseMessage message);

}  // namespace zorvel
