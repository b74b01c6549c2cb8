// The popup's commands on the hit cell: remove, add and reset.
#pragma once

#include <optional>
#include <vector>

#include "common/prompter.h"
#include "monitor/grid/view_state.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

// The column definition of the hit column; null on the device column or when
// the hit column is gone.
ColumnDef* HitColumnDef(ViewState& view);

// Removes the hit column; 1 when the hit names no column.
int RemoveHitColumn(ViewState& view);

// Inserts an "Errors" column just after the hit column (first on the device
// column) and makes the hit name it; 1 when 70 columns exist.
int AddColumnAfterHit(ViewState& view);

// The statistics a reset clears: these inputs, for one port or kAllPorts.
struct ResetPlan {
    int Port = 0;
    std::vector<int> Inputs;
};

// What the hit cell stands for: everything shown ("Reset All?"), a port's row
// ("Reset Port?"), a column ("Reset Column?"), or one cell without asking.
// None when the answer was No or the hit names no column.
std::optional<ResetPlan> PlanHitReset(const ViewState& view, common::Prompter& prompter);

// Clears the plan's statistics; kAllPorts covers the `rows` - 1 ports of the grid.
void ApplyReset(PortTables& tables, int rows, const ResetPlan& plan);

}  // namespace zorvel
