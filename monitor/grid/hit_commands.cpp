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

void ResetHitStatistics(PortTables& tables, const ViewState& view, common::Prompter& prompter) {
    if (view.HitColumn > view.ColumnCount) {
        return;
    }
    const int port = view.HitRow == 0 ? kAllPorts : view.HitRow - 1;
    if (view.HitColumn == 0) {
        if (!prompter.AskYesNo(view.HitRow == 0 ? "Reset All?" : "Reset Port?")) {
            return;
        }
        for (int k = 1; k < view.GridColumns; ++k) {
            SetStatistic(tables, view.GridRows, view.Columns[k - 1].Input, port, 0);
        }
        return;
    }
    if (view.HitRow == 0 && !prompter.AskYesNo("Reset Column?")) {
        return;
    }
    SetStatistic(tables, view.GridRows, view.Columns[view.HitColumn - 1].Input, port, 0);
}

}  // namespace zorvel
