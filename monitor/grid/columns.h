// Column definitions: defaults per statistic, the default view, insert and remove.
#pragma once

#include "monitor/grid/view_state.h"

namespace zorvel {

constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red | (green << 8) | (blue << 16);
}

// Fills Columns[position] with the defaults of catalogue statistic `statistic`
// (-1: "Errors"); ColumnCount is not changed.
void InitColumn(ViewState& view, int position, int statistic);

// Appends a default column for every statistic whose name no column carries yet;
// considers at most the first 70 statistics.
void DefaultView(ViewState& view, int statisticCount);

// Moves the pending record (index ColumnCount) to `position`.
int InsertColumn(ViewState& view, int position);

// Takes the column at `position` out; it stays behind as the pending record.
int RemoveColumn(ViewState& view, int position);

}  // namespace zorvel
