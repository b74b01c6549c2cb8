// The grid's view record: columns, font, layout, scroll and pointer state.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/window_placement.h"
#include "monitor/grid/font_ink.h"

namespace zorvel {

constexpr int kMaxColumns = 70;
constexpr int kColumnStorage = 74;  // room past the last column for the pending record
constexpr int kMaxGridColumns = kMaxColumns + 1;
constexpr int kMaxGridRows = 129;

struct ColumnDef {
    char Name[32];
    uint16_t Input;
    uint16_t Type;
    uint16_t Calc;
    uint16_t Width;
    uint32_t Color0;
    uint32_t Color1;
};
static_assert(sizeof(ColumnDef) == 48, "column definition layout");

struct FontSpec {
    int32_t Height;  // 0: the default height
    char Face[32];   // empty: the window's face
};

// What a visible cell showed when the last tick looked at it.
struct PaintedCell {
    std::string Text;
    uint32_t Background;
    uint32_t Colour;
};

struct ViewState {
    // The outer rectangle the window had when it closed, in screen pixels.
    common::WindowRectangle Window = {};
    int32_t LineHeight = 0;
    std::string ViewPath;
    FontSpec Font = {};
    int32_t ScrolledWidth = 0;
    int32_t ScrolledHeight = 0;
    int32_t DragColumn = 0;
    int32_t DragStartX = 0;
    int32_t DragMode = 0;
    int32_t HScrollMax = 0;
    int32_t VScrollMax = 0;
    int32_t ClientWidth = 0;
    int32_t ClientHeight = 0;
    int32_t PointerX = 0;
    int32_t PointerY = 0;
    int32_t HitColumn = 0;
    int32_t HitRow = 0;
    int16_t GridColumns = 14;
    int16_t GridRows = 129;
    int16_t FirstColumn = 0;
    int16_t FirstRow = 0;
    int16_t EndColumn = 12;
    int16_t EndRow = 32;
    int32_t TotalWidth = 0;
    int32_t TotalHeight = 0;
    uint16_t ColumnPixels[kMaxGridColumns] = {};
    uint16_t RowPixels[kMaxGridRows] = {};
    ColumnDef Columns[kColumnStorage] = {};
    int32_t ColumnCount = 0;
    // The visible cells as the last tick found them, column by column. Emptied
    // by every scroll and layout (a font, the columns, and every command that
    // changes figures outside a tick lay the grid out again), so that the next
    // tick repaints them all.
    std::vector<PaintedCell> Painted;
    // The grid font's ink across, as the platform reports it when the font is made.
    FontInk Ink = {};
};

inline std::unique_ptr<ViewState> CreateView() {
    return std::make_unique<ViewState>();
}

// A row for each of `ports` below the header row; true when the count changed
// and the grid must be laid out anew.
inline bool SetRowCount(ViewState& view, int ports) {
    const int16_t rows = static_cast<int16_t>(ports + 1);
    if (view.GridRows == rows) {
        return false;
    }
    view.GridRows = rows;
    return true;
}

}  // namespace zorvel
