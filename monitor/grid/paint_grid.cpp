#include "monitor/grid/paint_grid.h"

namespace zorvel {

namespace {

// The first visible slot shows the header (row or column 0) in place of its own.
SlotSpan Meeting(int first, int end, const uint16_t* pixels, int low, int high) {
    SlotSpan span{first, first, 0, 0};
    if (low >= high) {
        return span;
    }
    int at = 0;
    for (int slot = first; slot < end && at < high; ++slot) {
        const int size = pixels[slot == first ? 0 : slot];
        if (at + size + 1 > low) {
            if (span.End == span.First) {
                span.First = slot;
                span.Offset = at;
            }
            span.End = slot + 1;
            span.Reach = at + size;
        }
        at += size;
    }
    return span;
}

}  // namespace

CellSpan CellsMeeting(const ViewState& view, const CellRect& area) {
    return {Meeting(view.FirstColumn, view.EndColumn, view.ColumnPixels, area.Left, area.Right),
            Meeting(view.FirstRow, view.EndRow, view.RowPixels, area.Top, area.Bottom)};
}

CellSpan PaintGrid(const ViewState& view, const CellTextFn& cellText, Canvas& canvas, const CellRect& area) {
    const CellSpan span = CellsMeeting(view, area);
    int x = span.Columns.Offset;
    for (int slot = span.Columns.First; slot < span.Columns.End; ++slot) {
        const int k = slot == view.FirstColumn ? 0 : slot;
        int y = span.Rows.Offset;
        for (int rowSlot = span.Rows.First; rowSlot < span.Rows.End; ++rowSlot) {
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
    return span;
}

}  // namespace zorvel
