// Painting the visible cells: the core decides every rectangle, colour and text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "monitor/grid/view_state.h"

namespace zorvel {

struct CellRect {
    int Left;
    int Top;
    int Right;
    int Bottom;
};

// One cell's text, drawn transparent from (X, Y) and clipped to Clip.
struct TextPiece {
    int X;
    int Y;
    CellRect Clip;
    const std::string* Text;
};

// Seam to the device context the grid is drawn on. All it draws is clipped to
// the parts being painted, as a paint's is to its update region.
class Canvas {
public:
    virtual ~Canvas() = default;
    // A solid rectangle, right and bottom excluded.
    virtual void Fill(const CellRect& rect, uint32_t colour) = 0;
    // The width of `text` in the grid font.
    virtual int TextWidth(const std::string& text) = 0;
    // Texts of one colour from cells of one row, left to right, all at one Y
    // and clipped alike top and bottom.
    virtual void Texts(const TextPiece* pieces, size_t count, uint32_t colour) = 0;
};

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0;
constexpr uint32_t kHeaderText = 0x800000;  // (0, 0, 128)

struct CellLook {
    uint32_t Background;
    uint32_t Colour;
    bool Centred;
};

// How cell (row, column) shows `text`.
CellLook LookOf(const ViewState& view, int row, int column, const std::string& text);

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

// Paints the cells that meet `parts`, the rectangles of an update region:
// white, then the other backgrounds, the texts and the frame lines. Each
// fill, row of texts of one colour and line is one call across all parts,
// left to the canvas to clip: a call costs the platform more than the pixels
// it draws. Gives the cells meeting the parts' bounds.
CellSpan PaintGrid(const ViewState& view, const CellTextFn& cellText, Canvas& canvas,
                   const std::vector<CellRect>& parts);

}  // namespace zorvel
