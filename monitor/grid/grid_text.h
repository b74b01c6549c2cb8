#pragma once

#include <string>

#include "monitor/grid/view_state.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

// Text of grid cell (row, column): the header row carries the column names, the
// device column the port names, every other cell its statistic's value text.
std::string GridCellText(const ViewState& view, const PortTables& tables, int row, int column);

}  // namespace zorvel
