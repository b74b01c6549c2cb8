// Painting the visible cells: the core decides every rectangle, colour and text.
#pragma once

#include <functional>
#include <string>

#include "monitor/grid/view_state.h"

namespace zorvel {

struct CellRect {
    int Left;
    int Top;
    int Right;
    int Bottom;
};

// Seam to the device context the grid is drawn on.
class Canvas {
public:
    virtual ~Canvas() = default;
    // A black frame filled with the background colour.
    virtual void FramedCell(const CellRect& rect, uint32_t background) = 0;
    // Transparent text, left and top aligned unless centred.
    virtual void CellText(const CellRect& rect, const std::string& text, uint32_t colour, bool centred) = 0;
};

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kHeaderText = 0x800000;  // (0, 0, 128)

// Text of grid cell (row, column).
using CellTextFn = std::function<std::string(int row, int column)>;

// Visible slots First..End-1 of one axis; slot First begins at Offset and
// slot End-1 ends at Reach, short of its closing frame line.
struct SlotSpan {
    int First;
    int End;
    int Offset;
    int Reach;
};

struct CellSpan {
    SlotSpan Columns;
    SlotSpan Rows;
};

// The cells that meet `area` (client pixels, right and bottom excluded),
// counting the frame line a cell shares with its right and lower neighbours.
CellSpan CellsMeeting(const ViewState& view, const CellRect& area);

// Paints the cells that meet `area`; gives them, so the caller can fill the rest.
CellSpan PaintGrid(const ViewState& view, const CellTextFn& cellText, Canvas& canvas, const CellRect& area);

}  // namespace zorvel
