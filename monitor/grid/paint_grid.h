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

void PaintGrid(const ViewState& view, const CellTextFn& cellText, Canvas& canvas);

}  // namespace zorvel
