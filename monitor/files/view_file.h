// View files (*.vew): window rectangle, font and the grid's columns.
#pragma once

#include "common/alerts.h"
#include "monitor/grid/view_state.h"

namespace zorvel {

constexpr const char* kDefaultViewFile = "zorvel.vew";

// Replaces the columns and program values with the file's; the path becomes
// ViewPath either way. No column read gives the default view. Returns 0.
int ReadViewFile(ViewState& view, const char* path, int statisticCount, common::Alerts& alerts);

// Writes the layout under `path` (which becomes ViewPath) or, when null, under
// ViewPath. 0 when written; 1 after a message when it could not be.
int WriteViewFile(ViewState& view, const char* path, common::Alerts& alerts);

}  // namespace zorvel
