#include "monitor/grid/hit_commands.h"

#include "monitor/grid/columns.h"
#include "monitor/stats/statistic_values.h"

namespace zorvel {
namespace {

constexpr int kErrorsColumn = -1;

// The hit is only refreshed by a button over a cell, so a command sent after
// columns went away may carry a hit past the last column.
bool HitIsColumn(const ViewState& view) {
    return view.HitColumn >= 1 && view.HitColumn <= view.ColumnCount;
}

}  // namespace

ColumnDef* HitColumnDef(ViewState& view) {
    return HitIsColumn(view) ? &view.Columns[view.HitColumn - 1] : nullptr;
}

int RemoveHitColumn(ViewState& view) {
    if (!HitIsColumn(view)) {
        return 1;
    }
    return RemoveColumn(view, view.HitColumn - 1);
}

int AddColumnAfterHit(ViewState& view) {
    if (view.ColumnCount >= kMaxColumns) {
        return 1;
    }
    if (view.HitColumn > view.ColumnCount) {
        view.HitColumn = view.ColumnCount;
    }
    InitColumn(view, view.ColumnCount, kErrorsColumn);
    InsertColumn(view, view.HitColumn);
    ++view.HitColumn;
    return 0;
}

std::optional<ResetPlan> PlanHitReset(const ViewState& view, common::Prompter& prompter) {
    if (view.HitColumn > view.ColumnCount) {
        return std::nullopt;
    }
    ResetPlan plan;
    plan.Port = view.HitRow == 0 ? kAllPorts : view.HitRow - 1;
    if (view.HitColumn == 0) {
        if (!prompter.AskYesNo(view.HitRow == 0 ? "Reset All?" : "Reset Port?")) {
            return std::nullopt;
        }
        for (int k = 1; k < view.GridColumns; ++k) {
            plan.Inputs.push_back(view.Columns[k - 1].Input);
        }
        return plan;
    }
    if (view.HitRow == 0 && !prompter.AskYesNo("Reset Column?")) {
        return std::nullopt;
    }
    plan.Inputs.push_back(view.Columns[view.HitColumn - 1].Input);
    return plan;
}

void ApplyReset(PortTables& tables, int rows, const ResetPlan& plan) {
    for (int input : plan.Inputs) {
        SetStatistic(tables, rows, input, plan.Port, 0);
    }
}

}  // namespace zorvel
