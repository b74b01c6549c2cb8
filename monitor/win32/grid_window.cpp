#include "monitor/win32/grid_window.h"

#include <algorithm>
#include <map>

#include "common/win32/dialogs.h"
#include "common/win32/window_rectangle.h"
#include "monitor/files/view_file.h"

namespace zorvel {
namespace {

int BarOf(ScrollBar bar) {
    return bar == ScrollBar::Vertical ? SB_VERT : SB_HORZ;
}

// One brush per colour for the length of a paint, all deleted at its end.
class GdiCanvas : public Canvas {
public:
    explicit GdiCanvas(HDC dc) : dc_(dc) {}

    void FramedCell(const CellRect& rect, uint32_t background) override {
        BrushObject& brush = brushes_[background];
        if (brush.Get() == nullptr) {
            brush.Reset(CreateSolidBrush(background));
        }
        HGDIOBJ previous = SelectObject(dc_, brush.Get());
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        Rectangle(dc_, rect.Left, rect.Top, rect.Right, rect.Bottom);
        SelectObject(dc_, previous);
    }

    void CellText(const CellRect& rect, const std::string& text, uint32_t colour, bool centred) override {
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, colour);
        RECT area{rect.Left, rect.Top, rect.Right, rect.Bottom};
        DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &area, centred ? DT_CENTER : 0);
    }

private:
    HDC dc_;
    std::map<uint32_t, BrushObject> brushes_;
};

}  // namespace

void WindowScrollBars::SetRange(ScrollBar bar, int maximum) {
    SetScrollRange(window_, BarOf(bar), 0, maximum, TRUE);
}

void WindowScrollBars::SetPosition(ScrollBar bar, int position) {
    SetScrollPos(window_, BarOf(bar), position, TRUE);
}

void ApplyFont(HWND window, ViewState& view, FontObject& font) {
    HDC dc = GetDC(window);
    if (view.Font.Face[0] == '\0') {
        GetTextFaceA(dc, sizeof view.Font.Face, view.Font.Face);
    }
    // Only face and height carry over; weight, italics and character set stay default.
    LOGFONTA description = {};
    lstrcpynA(description.lfFaceName, view.Font.Face, sizeof description.lfFaceName);
    description.lfHeight = view.Font.Height;
    HFONT created = CreateFontIndirectA(&description);
    if (created != nullptr) {
        font.Reset(created);
        SelectObject(dc, created);
        lstrcpynA(view.Font.Face, description.lfFaceName, sizeof view.Font.Face);
        view.Font.Height = description.lfHeight;
    } else {
        common::AlertBox("Could not create font");
    }
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(window, dc);

    LayoutRowsAndColumns(view, metrics.tmHeight + metrics.tmExternalLeading);
    WindowScrollBars bars(window);
    RefitToClient(view, bars);
    InvalidateRect(window, nullptr, TRUE);
}

void AttachWindow(HWND window, ViewState& view, FontObject& font, int statisticCount, common::Alerts& alerts) {
    ReadViewFile(view, kDefaultViewFile, statisticCount, alerts);
    view.GridColumns = static_cast<int16_t>(view.ColumnCount + 1);
    ApplyFont(window, view, font);
}

void SaveViewOnClose(HWND window, ViewState& view, common::Alerts& alerts) {
    if (const auto recorded = common::RecordedRectangle(window)) {
        view.Window = *recorded;
    }
    WriteViewFile(view, kDefaultViewFile, alerts);
}

void DrawGrid(HDC dc, const ViewState& view, HFONT font, const CellTextFn& cellText, const RECT& area) {
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
    CellSpan span;
    {
        GdiCanvas canvas(dc);
        span = PaintGrid(view, cellText, canvas, {area.left, area.top, area.right, area.bottom});
    }
    if (oldFont != nullptr) {
        SelectObject(dc, oldFont);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    // The window is not erased before a paint, so that cells do not flash
    // white: only what lies beside and below the grid is filled.
    const RECT right{std::max<LONG>(area.left, span.Columns.Reach + 1), area.top, area.right, area.bottom};
    const RECT below{area.left, std::max<LONG>(area.top, span.Rows.Reach + 1), area.right, area.bottom};
    for (const RECT& margin : {right, below}) {
        if (margin.left < margin.right && margin.top < margin.bottom) {
            FillRect(dc, &margin, GetSysColorBrush(COLOR_WINDOW));
        }
    }
}

}  // namespace zorvel
