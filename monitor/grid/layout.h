// Pixel layout of the grid: widths, heights, scroll position and visible range.
#pragma once

#include "monitor/grid/view_state.h"

namespace zorvel {

enum class ScrollBar { Horizontal, Vertical };

// The scroll-bar codes ScrollStep acts on, numbered as the platform numbers them.
enum ScrollCode : int {
    kScrollLineUp = 0,
    kScrollLineDown = 1,
    kScrollPageUp = 2,
    kScrollPageDown = 3,
    kScrollThumbTrack = 5,
};

// Seam to the window's scroll bars; a range of 0..0 hides the bar.
class ScrollBars {
public:
    virtual ~ScrollBars() = default;
    virtual void SetRange(ScrollBar bar, int maximum) = 0;
    virtual void SetPosition(ScrollBar bar, int position) = 0;
};

constexpr int kDefaultLineHeight = 16;
constexpr int kDeviceColumnUnits = 12;

// Takes the font's line height (kept within 5..40, else 16) and recomputes every
// row and column in pixels; a column of width 0 gets twice its name length, stored back.
void LayoutRowsAndColumns(ViewState& view, int measuredLineHeight);

// 1 when the totals or the scroll ranges changed.
int FitToWindow(ViewState& view, ScrollBars& bars);

void ClampScroll(ViewState& view, ScrollBars& bars);

// After the pixel sizes changed without a size message (font, columns, port count):
// totals and bars follow the last client size given, so a grid that outgrew the
// window can be scrolled at once. Before the first size message there is nothing
// to fit to; that message does it.
int RefitToClient(ViewState& view, ScrollBars& bars);

void ComputeVisibleRange(ViewState& view);

// Moves FirstColumn or FirstRow by a scroll-bar code; false when the code moves
// nothing (the caller then neither clamps nor repaints).
bool ScrollStep(ViewState& view, ScrollBar bar, int code, int thumb);

}  // namespace zorvel
