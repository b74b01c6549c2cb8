#include "monitor/grid/paint_grid.h"

#include <algorithm>
#include <utility>
#include <vector>

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

// Fills the part of `rect` inside `area`, if any.
void FillWithin(Canvas& canvas, const CellRect& rect, const CellRect& area, uint32_t colour) {
    const CellRect part{std::max(rect.Left, area.Left), std::max(rect.Top, area.Top), std::min(rect.Right, area.Right),
                        std::min(rect.Bottom, area.Bottom)};
    if (part.Left < part.Right && part.Top < part.Bottom) {
        canvas.Fill(part, colour);
    }
}

// Neighbouring cells share their frame lines: one line before each slot and one after the last.
void FrameLines(const ViewState& view, const CellSpan& span, Canvas& canvas, const CellRect& area) {
    const CellRect grid{span.Columns.Offset, span.Rows.Offset, span.Columns.Reach + 1, span.Rows.Reach + 1};
    int x = span.Columns.Offset;
    for (int slot = span.Columns.First; slot <= span.Columns.End; ++slot) {
        FillWithin(canvas, {x, grid.Top, x + 1, grid.Bottom}, area, kBlack);
        if (slot < span.Columns.End) {
            x += view.ColumnPixels[slot == view.FirstColumn ? 0 : slot];
        }
    }
    int y = span.Rows.Offset;
    for (int slot = span.Rows.First; slot <= span.Rows.End; ++slot) {
        FillWithin(canvas, {grid.Left, y, grid.Right, y + 1}, area, kBlack);
        if (slot < span.Rows.End) {
            y += view.RowPixels[slot == view.FirstRow ? 0 : slot];
        }
    }
}

// Widths of the centred texts, measured once per paint: a signal column shows few distinct texts.
class CentredWidths {
public:
    int Of(Canvas& canvas, const std::string& text) {
        for (const auto& known : widths_) {
            if (known.first == text) {
                return known.second;
            }
        }
        widths_.emplace_back(text, canvas.TextWidth(text));
        return widths_.back().second;
    }

private:
    std::vector<std::pair<std::string, int>> widths_;
};

}  // namespace

CellSpan CellsMeeting(const ViewState& view, const CellRect& area) {
    return {Meeting(view.FirstColumn, view.EndColumn, view.ColumnPixels, area.Left, area.Right),
            Meeting(view.FirstRow, view.EndRow, view.RowPixels, area.Top, area.Bottom)};
}

CellLook LookOf(const ViewState& view, int row, int column, const std::string& text) {
    CellLook look{kWhite, kHeaderText, false};
    if (row != 0 && column != 0) {
        const ColumnDef& definition = view.Columns[column - 1];
        if (definition.Type == 1) {
            look.Background = text.size() > 1 && text[1] == 'n' ? definition.Color1 : definition.Color0;
            look.Colour = 0;
            look.Centred = true;
        } else {
            look.Colour = text == "0" ? definition.Color0 : definition.Color1;
        }
    }
    if (look.Background == 0) {
        look.Background = kWhite;
    }
    return look;
}

CellSpan PaintGrid(const ViewState& view, const CellTextFn& cellText, Canvas& canvas, const CellRect& area) {
    const CellSpan span = CellsMeeting(view, area);
    if (span.Columns.First == span.Columns.End || span.Rows.First == span.Rows.End) {
        return span;
    }
    FillWithin(canvas, {span.Columns.Offset, span.Rows.Offset, span.Columns.Reach + 1, span.Rows.Reach + 1}, area,
               kWhite);
    FrameLines(view, span, canvas, area);
    CentredWidths widths;
    // A row's texts, kept while its pieces point at them.
    std::vector<std::string> texts(static_cast<size_t>(span.Columns.End - span.Columns.First));
    std::vector<TextPiece> pieces;
    int y = span.Rows.Offset;
    for (int rowSlot = span.Rows.First; rowSlot < span.Rows.End; ++rowSlot) {
        const int r = rowSlot == view.FirstRow ? 0 : rowSlot;
        const int height = view.RowPixels[r];
        uint32_t colour = 0;
        pieces.clear();
        int x = span.Columns.Offset;
        for (int slot = span.Columns.First; slot < span.Columns.End; ++slot) {
            const int k = slot == view.FirstColumn ? 0 : slot;
            const int width = view.ColumnPixels[k];
            std::string& text = texts[static_cast<size_t>(slot - span.Columns.First)];
            text = cellText(r, k);
            const CellLook look = LookOf(view, r, k, text);
            if (look.Background != kWhite) {
                FillWithin(canvas, {x + 1, y + 1, x + width, y + height}, area, look.Background);
            }
            if (!text.empty()) {
                if (!pieces.empty() && look.Colour != colour) {
                    canvas.Texts(pieces.data(), pieces.size(), colour);
                    pieces.clear();
                }
                colour = look.Colour;
                const CellRect inside{x + 1, y + 1, x + width - 1, y + height - 1};
                // Clipped to the area too: a cell that several areas share
                // gets its text once in each, never twice over one pixel.
                const CellRect clip{std::max(inside.Left, area.Left), std::max(inside.Top, area.Top),
                                    std::min(inside.Right, area.Right), std::min(inside.Bottom, area.Bottom)};
                if (clip.Left < clip.Right && clip.Top < clip.Bottom) {
                    // Centred as the system's text drawing centres: halving, rounded towards zero.
                    const int left =
                        look.Centred ? (inside.Left + inside.Right - widths.Of(canvas, text)) / 2 : inside.Left;
                    pieces.push_back({left, inside.Top, clip, &text});
                }
            }
            x += width;
        }
        if (!pieces.empty()) {
            canvas.Texts(pieces.data(), pieces.size(), colour);
        }
        y += height;
    }
    return span;
}

}  // namespace zorvel
