#include "monitor/grid/changed_cells.h"

#include <cstddef>
#include <string>
#include <utility>

namespace zorvel {

namespace {

// Changed cells come out as few rectangles as they can without taking in an
// unchanged cell: changed cells one above the other in a column join, and then
// rectangles over the same rows in neighbouring columns, frame lines between
// them included (they are drawn again as they were). Each rectangle of an
// update region costs the platform more than those lines.
class ChangedBlocks {
public:
    explicit ChangedBlocks(std::vector<CellRect>& out) : out_(out) {}

    void Add(const CellRect& rect) {
        if (!column_.empty() && column_.back().Left == rect.Left && column_.back().Bottom + 1 == rect.Top) {
            column_.back().Bottom = rect.Bottom;
        } else {
            column_.push_back(rect);
        }
    }

    void EndColumn() {
        current_.clear();
        for (const CellRect& rect : column_) {
            current_.push_back(Join(rect));
        }
        column_.clear();
        previous_.swap(current_);
    }

private:
    size_t Join(const CellRect& rect) {
        for (size_t index : previous_) {
            CellRect& block = out_[index];
            if (block.Top == rect.Top && block.Bottom == rect.Bottom && block.Right + 1 == rect.Left) {
                block.Right = rect.Right;
                return index;
            }
        }
        out_.push_back(rect);
        return out_.size() - 1;
    }

    std::vector<CellRect>& out_;
    std::vector<CellRect> column_;
    std::vector<size_t> previous_;
    std::vector<size_t> current_;
};

}  // namespace

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
    std::vector<CellRect> ignored;
    ChangedBlocks blocks(known ? changed : ignored);
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
                blocks.Add({x + 1, y + 1, x + view.ColumnPixels[k], y + view.RowPixels[r]});
                painted->Text = std::move(text);
                painted->Background = look.Background;
                painted->Colour = look.Colour;
            }
            y += view.RowPixels[r];
        }
        blocks.EndColumn();
        x += view.ColumnPixels[k];
    }
    return known;
}

}  // namespace zorvel
