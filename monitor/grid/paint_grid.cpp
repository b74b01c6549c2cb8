#include "monitor/grid/paint_grid.h"

namespace zorvel {

void PaintGrid(const ViewState& view, const CellTextFn& cellText, Canvas& canvas) {
    int x = 0;
    for (int slot = view.FirstColumn; slot < view.EndColumn; ++slot) {
        const int k = slot == view.FirstColumn ? 0 : slot;
        int y = 0;
        for (int rowSlot = view.FirstRow; rowSlot < view.EndRow; ++rowSlot) {
            const int r = rowSlot == view.FirstRow ? 0 : rowSlot;
            const std::string text = cellText(r, k);
            // Neighbouring cells share their frame lines.
            const CellRect cell{x, y, x + view.ColumnPixels[k] + 1, y + view.RowPixels[r] + 1};
            uint32_t background = kWhite;
            uint32_t colour = kHeaderText;
            bool centred = false;
            if (r != 0 && k != 0) {
                const ColumnDef& column = view.Columns[k - 1];
                if (column.Type == 1) {
                    background = text.size() > 1 && text[1] == 'n' ? column.Color1 : column.Color0;
                    colour = 0;
                    centred = true;
                } else {
                    colour = text == "0" ? column.Color0 : column.Color1;
                }
            }
            if (background == 0) {
                background = kWhite;
            }
            canvas.FramedCell(cell, background);
            canvas.CellText({cell.Left + 1, cell.Top + 1, cell.Right - 2, cell.Bottom - 2}, text, colour, centred);
            y += view.RowPixels[r];
        }
        x += view.ColumnPixels[k];
    }
}

}  // namespace zorvel
