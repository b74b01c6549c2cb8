#pragma once

#include <windows.h>

#include "tracer/tracer_state.h"

namespace vizo {

bool RegisterMainWindowClass(HINSTANCE instance);

// The log's banner line with the local date and time, if the log is open.
void WriteBannerNow(TracerState& state);
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace vizo
