#include "monitor/grid/layout.h"

#include <algorithm>
#include <cstring>

namespace zorvel {
namespace {

// An absurd width from a file or the column dialog is drawn clamped rather than
// wrapped into the 16-bit pixel entry; the width itself is kept as stored.
uint16_t Pixels(int lineHeight, int units) {
    const long long pixels = static_cast<long long>(lineHeight) * units / 4;
    return static_cast<uint16_t>(pixels > 0xFFFF ? 0xFFFF : pixels);
}

int Sum(const uint16_t* entries, int count) {
    int total = 0;
    for (int i = 0; i < count; ++i) {
        total += entries[i];
    }
    return total;
}

int16_t Clamp16(int value, int low, int high) {
    return static_cast<int16_t>(value < low ? low : value > high ? high : value);
}

int ClampInt(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

int16_t VisibleEnd(int first, int count, int client, const uint16_t* pixels, int16_t end) {
    int offset = 0;
    for (int slot = first; slot < count; ++slot) {
        if (offset < client) {
            end = static_cast<int16_t>(slot);
        }
        offset = slot == first ? pixels[0] : offset + pixels[slot];
    }
    return end < count ? static_cast<int16_t>(end + 1) : end;
}

// Returns 1 when the bar's maximum changed.
int FitBar(ScrollBars& bars, ScrollBar bar, int client, int total, int& scrolled, int16_t& first, int& maximum) {
    const int wanted = client < total ? 100 : 0;
    if (wanted == 0) {
        scrolled = 0;
        first = 0;
    }
    int changed = 0;
    if (wanted != maximum) {
        maximum = wanted;
        changed = 1;
    }
    bars.SetRange(bar, wanted);
    return changed;
}

}  // namespace

void LayoutRowsAndColumns(ViewState& view, int measuredLineHeight) {
    view.Painted.clear();
    view.LineHeight = measuredLineHeight > 40 || measuredLineHeight < 5 ? kDefaultLineHeight : measuredLineHeight;
    for (int row = 0; row < view.GridRows && row < kMaxGridRows; ++row) {
        view.RowPixels[row] = static_cast<uint16_t>(view.LineHeight + 4);
    }
    for (int k = 0; k < view.GridColumns && k < kMaxGridColumns; ++k) {
        int units = kDeviceColumnUnits;
        if (k > 0) {
            ColumnDef& column = view.Columns[k - 1];
            if (column.Width == 0) {
                column.Width = static_cast<uint16_t>(2 * std::strlen(column.Name));
            }
            units = column.Width;
        }
        view.ColumnPixels[k] = Pixels(view.LineHeight, units);
    }
}

int FitToWindow(ViewState& view, ScrollBars& bars) {
    if (view.EndColumn > view.GridColumns) {
        view.EndColumn = view.GridColumns;
    }
    if (view.EndRow > view.GridRows) {
        view.EndRow = view.GridRows;
    }
    int changed = 0;
    const int width = Sum(view.ColumnPixels, view.GridColumns);
    if (width != view.TotalWidth) {
        view.TotalWidth = width;
        changed = 1;
    }
    const int height = Sum(view.RowPixels, view.GridRows);
    if (height != view.TotalHeight) {
        view.TotalHeight = height;
        changed = 1;
    }
    changed |= FitBar(bars, ScrollBar::Vertical, view.ClientHeight, view.TotalHeight, view.ScrolledHeight,
                      view.FirstRow, view.VScrollMax);
    changed |= FitBar(bars, ScrollBar::Horizontal, view.ClientWidth, view.TotalWidth, view.ScrolledWidth,
                      view.FirstColumn, view.HScrollMax);
    ComputeVisibleRange(view);
    ClampScroll(view, bars);
    return changed;
}

void ClampScroll(ViewState& view, ScrollBars& bars) {
    const int horizontalSlack = std::max(0, view.TotalWidth - view.ClientWidth);
    const int verticalSlack = std::max(0, view.TotalHeight - view.ClientHeight);
    view.FirstRow = Clamp16(view.FirstRow, 0, view.GridRows - 1);
    view.FirstColumn = Clamp16(view.FirstColumn, 0, view.GridColumns - 1);
    view.ScrolledHeight = ClampInt(Sum(view.RowPixels, view.FirstRow), 0, verticalSlack);
    view.ScrolledWidth = ClampInt(Sum(view.ColumnPixels, view.FirstColumn), 0, horizontalSlack);
    if (view.VScrollMax != 0) {
        bars.SetPosition(ScrollBar::Vertical,
                         verticalSlack == 0 ? 0 : static_cast<int>(view.ScrolledHeight * 100LL / verticalSlack));
    }
    if (view.HScrollMax != 0) {
        bars.SetPosition(ScrollBar::Horizontal,
                         horizontalSlack == 0 ? 0 : static_cast<int>(view.ScrolledWidth * 100LL / horizontalSlack));
    }
    ComputeVisibleRange(view);
}

int RefitToClient(ViewState& view, ScrollBars& bars) {
    if (view.ClientWidth == 0 && view.ClientHeight == 0) {
        ClampScroll(view, bars);
        return 0;
    }
    return FitToWindow(view, bars);
}

void ComputeVisibleRange(ViewState& view) {
    view.Painted.clear();
    view.EndRow = VisibleEnd(view.FirstRow, view.GridRows, view.ClientHeight, view.RowPixels, view.EndRow);
    view.EndColumn =
        VisibleEnd(view.FirstColumn, view.GridColumns, view.ClientWidth, view.ColumnPixels, view.EndColumn);
}

bool ScrollStep(ViewState& view, ScrollBar bar, int code, int thumb) {
    const bool vertical = bar == ScrollBar::Vertical;
    int16_t& first = vertical ? view.FirstRow : view.FirstColumn;
    const int count = vertical ? view.GridRows : view.GridColumns;
    const int end = vertical ? view.EndRow : view.EndColumn;
    int moved = 0;
    switch (code) {
        case kScrollLineUp: moved = first - 1; break;
        case kScrollLineDown: moved = first + 1; break;
        case kScrollPageUp: moved = first - (end - first); break;
        case kScrollPageDown: moved = end; break;
        case kScrollThumbTrack: moved = thumb * count / 100; break;
        default: return false;
    }
    first = static_cast<int16_t>(moved);
    return true;
}

}  // namespace zorvel
