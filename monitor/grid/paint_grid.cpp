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

CellRect Within(const CellRect& a, const CellRect& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

bool Meets(const CellRect& a, const CellRect& b) {
    const CellRect common = Within(a, b);
    return common.Left < common.Right && common.Top < common.Bottom;
}

// Fills the part of `rect` inside `area`, if any.
void FillWithin(Canvas& canvas, const CellRect& rect, const CellRect& area, uint32_t colour) {
    if (Meets(rect, area)) {
        canvas.Fill(Within(rect, area), colour);
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

// A row's texts by colour, each colour's left to right: one call per colour
// draws them, whatever lies between.
class RowTexts {
public:
    void Add(uint32_t colour, const TextPiece& piece) {
        for (size_t i = 0; i < used_; ++i) {
            if (groups_[i].first == colour) {
                groups_[i].second.push_back(piece);
                return;
            }
        }
        if (used_ == groups_.size()) {
            groups_.emplace_back();
        }
        groups_[used_].first = colour;
        groups_[used_].second.assign(1, piece);
        ++used_;
    }

    void Draw(Canvas& canvas) {
        for (size_t i = 0; i < used_; ++i) {
            canvas.Texts(groups_[i].second.data(), groups_[i].second.size(), groups_[i].first);
        }
        used_ = 0;
    }

private:
    std::vector<std::pair<uint32_t, std::vector<TextPiece>>> groups_;
    size_t used_ = 0;
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

CellSpan PaintGrid(const ViewState& view, const CellTextFn& cellText, Canvas& canvas,
                   const std::vector<CellRect>& parts) {
    if (parts.empty()) {
        return {};
    }
    CellRect bounds = parts[0];
    for (const CellRect& part : parts) {
        bounds = {std::min(bounds.Left, part.Left), std::min(bounds.Top, part.Top), std::max(bounds.Right, part.Right),
                  std::max(bounds.Bottom, part.Bottom)};
    }
    const CellSpan span = CellsMeeting(view, bounds);
    if (span.Columns.First == span.Columns.End || span.Rows.First == span.Rows.End) {
        return span;
    }
    FillWithin(canvas, {span.Columns.Offset, span.Rows.Offset, span.Columns.Reach + 1, span.Rows.Reach + 1}, bounds,
               kWhite);
    CentredWidths widths;
    // A row's texts, kept while its pieces point at them.
    std::vector<std::string> texts(static_cast<size_t>(span.Columns.End - span.Columns.First));
    RowTexts rowTexts;
    std::vector<const CellRect*> rowParts;
    int y = span.Rows.Offset;
    for (int rowSlot = span.Rows.First; rowSlot < span.Rows.End; ++rowSlot) {
        const int r = rowSlot == view.FirstRow ? 0 : rowSlot;
        const int height = view.RowPixels[r];
        rowParts.clear();
        for (const CellRect& part : parts) {
            if (Meets(part, {bounds.Left, y + 1, bounds.Right, y + height})) {
                rowParts.push_back(&part);
            }
        }
        int x = span.Columns.Offset;
        for (int slot = span.Columns.First; slot < span.Columns.End && !rowParts.empty(); ++slot) {
            const int k = slot == view.FirstColumn ? 0 : slot;
            const int width = view.ColumnPixels[k];
            const CellRect cell{x + 1, y + 1, x + width, y + height};
            x += width;
            if (std::none_of(rowParts.begin(), rowParts.end(), [&](const CellRect* part) { return Meets(*part, cell); })) {
                continue;
            }
            std::string& text = texts[static_cast<size_t>(slot - span.Columns.First)];
            text = cellText(r, k);
            const CellLook look = LookOf(view, r, k, text);
            if (look.Background != kWhite) {
                FillWithin(canvas, cell, bounds, look.Background);
            }
            const CellRect inside{cell.Left, cell.Top, cell.Right - 1, cell.Bottom - 1};
            if (!text.empty() && Meets(inside, bounds)) {
                // Centred as the system's text drawing centres: halving, rounded towards zero.
                const int left =
                    look.Centred ? (inside.Left + inside.Right - widths.Of(canvas, text)) / 2 : inside.Left;
                rowTexts.Add(look.Colour, {left, inside.Top, Within(inside, bounds), &text});
            }
        }
        rowTexts.Draw(canvas);
        y += height;
    }
    // After the texts: a joined text may shade the line left of a cell.
    FrameLines(view, span, canvas, bounds);
    return span;
}

}  // namespace zorvel
