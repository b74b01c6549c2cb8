#include "monitor/grid/grid_copy.h"

#include "monitor/grid/grid_text.h"

namespace zorvel {
namespace {

// A tab or a line break in a port name or a column title would split its cell
// or its row when pasted; a blank keeps the row's shape and the words apart.
void AppendCell(std::string& text, const std::string& cell) {
    for (const char c : cell) {
        text += c == '\t' || c == '\r' || c == '\n' ? ' ' : c;
    }
}

void AppendRow(std::string& text, const ViewState& view, const PortTables& tables, int row) {
    for (int column = 0; column < view.GridColumns; ++column) {
        if (column != 0) {
            text += '\t';
        }
        AppendCell(text, GridCellText(view, tables, row, column));
    }
    text += "\r\n";
}

}  // namespace

std::string GridCopyText(const ViewState& view, const PortTables& tables) {
    std::string text;
    AppendRow(text, view, tables, 0);
    // A hit row past the last port was left from before the ports went fewer
    // and names no port any more.
    const bool onePort = view.HitRow >= 1 && view.HitRow < view.GridRows;
    const int first = onePort ? view.HitRow : 1;
    const int end = onePort ? view.HitRow + 1 : view.GridRows;
    for (int row = first; row < end; ++row) {
        AppendRow(text, view, tables, row);
    }
    return text;
}

}  // namespace zorvel
