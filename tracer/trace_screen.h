// The trace viewer's text display: a ring of 35 lines painted bottom-up, newest
// line at the bottom of the window.
#pragma once

#include <cstdint>

namespace vizo {

// Where the screen draws: the window's client area.
class TraceCanvas {
public:
    virtual ~TraceCanvas() = default;
    // Around one refresh; false when the window cannot be drawn into now.
    virtual bool Begin() = 0;
    virtual void End() = 0;
    // Fills the rectangle (right and bottom exclusive) with white, frame included.
    virtual void Blank(int left, int top, int right, int bottom) = 0;
    // Draws text with the default font and colours, its top-left corner at (x, y).
    virtual void Text(int x, int y, const char* text) = 0;
};

constexpr int kScreenLines = 35;
constexpr int kLineWidth = 86;  // characters before a line wraps
constexpr int kRowPitch = 14;
constexpr int kTextLeft = 10;

class TraceScreen {
public:
    // Null detaches: nothing is drawn until a canvas is attached again.
    void Attach(TraceCanvas* canvas) { canvas_ = canvas; }

    // Stores the text, control bytes and bytes above 0x80 as "<%xH>"; length 0
    // takes the text up to its NUL. Draws nothing.
    void Append(const char* text, int length);

    // Draws the rows whose line changed, or every row when forced or when the
    // current line moved since the last drawing.
    void Refresh(bool force);

    void Resize(int width, int height);
    void Clear();

    // Rows that fit the client height.
    int VisibleRows() const { return (height_ - 4) / kRowPitch - 1; }
    const char* Line(int slot) const { return lines_[slot].Text; }
    bool Changed(int slot) const { return lines_[slot].Changed != 0; }
    int CurrentLine() const { return current_; }
    int Column() const { return column_; }

private:
    struct Slot {
        char Text[88];
        uint8_t Changed;
    };
    static_assert(sizeof(Slot) == 89, "a line slot is 89 bytes");

    void Put(unsigned char c);
    void Store(char c);
    void NextLine();

    TraceCanvas* canvas_ = nullptr;
    Slot lines_[kScreenLines] = {};
    int current_ = 0;
    int column_ = 0;
    int lastDrawn_ = 0;
    bool pending_ = false;
    int width_ = 80;
    int height_ = 20;
};

}  // namespace vizo
