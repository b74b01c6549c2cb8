// The grid as text for the clipboard, in the shape a spreadsheet pastes.
#pragma once

#include <string>

#include "monitor/grid/view_state.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

constexpr const char* kCopyFailedText = "Could not copy to the clipboard.";

// The header row, then the hit port's row, or every port's row when the hit
// names no port: each cell's text as the grid shows it, tab-separated, every
// line ending in CR LF.
std::string GridCopyText(const ViewState& view, const PortTables& tables);

}  // namespace zorvel
