#include "monitor/grid/grid_text.h"

#include "monitor/stats/cell_text.h"

namespace zorvel {

std::string GridCellText(const ViewState& view, const PortTables& tables, int row, int column) {
    if (column > view.ColumnCount) {
        return "col:" + std::to_string(column);
    }
    if (row == 0) {
        return column == 0 ? "Device" : view.Columns[column - 1].Name;
    }
    if (column == 0) {
        return PortName(tables.Names.Slots[row - 1]);
    }
    const ColumnDef& definition = view.Columns[column - 1];
    std::string text;
    CellValue(tables, definition.Input, definition.Type, row - 1, text);
    return text;
}

}  // namespace zorvel
