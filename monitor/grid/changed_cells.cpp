#include "monitor/grid/changed_cells.h"

#include <cstddef>
#include <string>
#include <utility>

namespace zorvel {

bool ChangedCells(ViewState& view, const CellTextFn& cellText, std::vector<CellRect>& changed) {
    const int columns = view.EndColumn - view.FirstColumn;
    const int rows = view.EndRow - view.FirstRow;
    if (columns <= 0 || rows <= 0) {
        view.Painted.clear();
        return false;
    }
    const size_t cells = static_cast<size_t>(columns) * static_cast<size_t>(rows);
    const bool known = view.Painted.size() == cells;
    if (!known) {
        view.Painted.assign(cells, PaintedCell{});
    }
    PaintedCell* painted = view.Painted.data();
    int x = 0;
    for (int slot = view.FirstColumn; slot < view.EndColumn; ++slot) {
        const int k = slot == view.FirstColumn ? 0 : slot;
        int y = 0;
        for (int rowSlot = view.FirstRow; rowSlot < view.EndRow; ++rowSlot, ++painted) {
            const int r = rowSlot == view.FirstRow ? 0 : rowSlot;
            std::string text = cellText(r, k);
            const CellLook look = LookOf(view, r, k, text);
            if (text != painted->Text || look.Background != painted->Background || look.Colour != painted->Colour) {
                if (known) {
                    changed.push_back({x + 1, y + 1, x + view.ColumnPixels[k], y + view.RowPixels[r]});
                }
                painted->Text = std::move(text);
                painted->Background = look.Background;
                painted->Colour = look.Colour;
            }
            y += view.RowPixels[r];
        }
        x += view.ColumnPixels[k];
    }
    return known;
}

}  // namespace zorvel
