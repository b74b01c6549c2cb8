#pragma once

#include <windows.h>

#include "monitor/grid/view_state.h"

namespace zorvel {

bool RegisterMainWindowClass(HINSTANCE instance);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws the grid's cells that meet `area` with the live figures.
void PaintView(HDC dc, const ViewState& view, const RECT& area);

}  // namespace zorvel
