#pragma once

#include <windows.h>

#include "monitor/grid/view_state.h"

namespace zorvel {

// The modal "Column Setup" dialog over one column; OK stores, Cancel leaves it.
void RunColumnDialog(HWND owner, ColumnDef& column, int statisticCount);

}  // namespace zorvel
