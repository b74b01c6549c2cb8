// The grid's Win32 side: the font, the scroll bars and drawing on a device context.
#pragma once

#include <windows.h>

#include <vector>

#include "common/alerts.h"
#include "monitor/grid/layout.h"
#include "monitor/grid/paint_grid.h"
#include "common/win32/scoped.h"

namespace zorvel {

using common::BrushObject;
using common::FontObject;
using common::RegionObject;

class WindowScrollBars : public ScrollBars {
public:
    explicit WindowScrollBars(HWND window) : window_(window) {}
    void SetRange(ScrollBar bar, int maximum) override;
    void SetPosition(ScrollBar bar, int position) override;

private:
    HWND window_;
};

// Creates the font from the view's description, lays the grid out again,
// clamps the scroll position and repaints.
void ApplyFont(HWND window, ViewState& view, FontObject& font);

// Reads zorvel.vew from the current folder and lays the grid out.
void AttachWindow(HWND window, ViewState& view, FontObject& font, int statisticCount, common::Alerts& alerts);

// Remembers the window rectangle and writes zorvel.vew.
void SaveViewOnClose(HWND window, ViewState& view, common::Alerts& alerts);

// The window's update region in client coordinates, or none; taken before
// BeginPaint, which empties it.
RegionObject TakeUpdateRegion(HWND window);

// Draws the cells that meet `area` and the update region (all of `area` when
// there is none), and the background beside the grid, with the grid font on `dc`.
void DrawGrid(HDC dc, const ViewState& view, HFONT font, const CellTextFn& cellText, const RECT& area,
              HRGN updateRegion);

// Leaves the cells for the next paint, without erasing.
void InvalidateCells(HWND window, const std::vector<CellRect>& cells);

}  // namespace zorvel
