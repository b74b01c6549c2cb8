// Which visible cells a tick must repaint: those whose text or colours changed.
#pragma once

#include <vector>

#include "monitor/grid/paint_grid.h"
#include "monitor/grid/view_state.h"

namespace zorvel {

// Compares every visible cell with what view.Painted holds, stores the new
// texts and colours there and adds the inside of each changed cell (its frame
// lines never change) to `changed`. False when there was nothing to compare
// with (the first tick, or after a layout or scroll): then all must be repainted.
bool ChangedCells(ViewState& view, const CellTextFn& cellText, std::vector<CellRect>& changed);

}  // namespace zorvel
