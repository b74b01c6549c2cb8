#pragma once

#include <windows.h>

#include "monitor/grid/view_state.h"

namespace zorvel {

// The modal "Program Setup" dialog over the live settings.
void RunSetupDialog(HWND owner, const ViewState& view);

}  // namespace zorvel
