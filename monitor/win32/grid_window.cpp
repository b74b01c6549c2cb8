#include "monitor/win32/grid_window.h"

#include <algorithm>
#include <map>
#include <vector>

#include "common/win32/dialogs.h"
#include "common/win32/window_rectangle.h"
#include "monitor/files/view_file.h"
#include "monitor/grid/font_ink.h"

namespace zorvel {
namespace {

int BarOf(ScrollBar bar) {
    return bar == ScrollBar::Vertical ? SB_VERT : SB_HORZ;
}

// One brush per colour for the length of a paint, all deleted at its end; the
// text colour is set only when it changes.
class GdiCanvas : public Canvas {
public:
    GdiCanvas(HDC dc, const FontInk& ink)
        : dc_(dc), ink_(ink), oldMode_(SetBkMode(dc, TRANSPARENT)), oldColour_(GetTextColor(dc)), colour_(oldColour_) {}
    ~GdiCanvas() override {
        SetTextColor(dc_, oldColour_);
        SetBkMode(dc_, oldMode_);
    }
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void Fill(const CellRect& rect, uint32_t colour) override {
        BrushObject& brush = brushes_[colour];
        if (brush.Get() == nullptr) {
            brush.Reset(CreateSolidBrush(colour));
        }
        const RECT area{rect.Left, rect.Top, rect.Right, rect.Bottom};
        FillRect(dc_, &area, brush.Get());
    }

    int TextWidth(const std::string& text) override {
        SIZE size = {};
        GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

    void Texts(const TextPiece* pieces, size_t count, uint32_t colour) override {
        if (colour != colour_) {
            SetTextColor(dc_, colour);
            colour_ = colour;
        }
        if (count > 1 && JoinTexts(pieces, count, ink_, chars_, advances_)) {
            const RECT area{pieces[0].Clip.Left, pieces[0].Clip.Top, pieces[count - 1].Clip.Right,
                            pieces[0].Clip.Bottom};
            ExtTextOutA(dc_, pieces[0].X, pieces[0].Y, ETO_CLIPPED, &area, chars_.data(),
                        static_cast<UINT>(chars_.size()), advances_.data());
            return;
        }
        for (size_t i = 0; i < count; ++i) {
            const TextPiece& piece = pieces[i];
            const RECT area{piece.Clip.Left, piece.Clip.Top, piece.Clip.Right, piece.Clip.Bottom};
            ExtTextOutA(dc_, piece.X, piece.Y, ETO_CLIPPED, &area, piece.Text->c_str(),
                        static_cast<UINT>(piece.Text->size()), nullptr);
        }
    }

private:
    HDC dc_;
    const FontInk& ink_;
    int oldMode_;
    COLORREF oldColour_;
    COLORREF colour_;
    std::map<uint32_t, BrushObject> brushes_;
    std::string chars_;
    std::vector<int> advances_;
};

// The rectangles of `region` that lie in `area`: a tick leaves many small
// cells to repaint, scattered over the grid, and drawing every cell of their
// bounding box would cost as much as a full paint.
std::vector<CellRect> PartsToPaint(HRGN region, const RECT& area) {
    const std::vector<CellRect> whole{{area.left, area.top, area.right, area.bottom}};
    if (region == nullptr) {
        return whole;
    }
    const DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<char> bytes(size);
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    if (size < sizeof(RGNDATAHEADER) || GetRegionData(region, size, data) != size) {
        return whole;
    }
    std::vector<CellRect> parts;
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    for (DWORD i = 0; i < data->rdh.nCount; ++i) {
        RECT part;
        if (IntersectRect(&part, &rects[i], &area)) {
            parts.push_back({part.left, part.top, part.right, part.bottom});
        }
    }
    return parts;
}

// Each ASCII character's ink across in the font selected into `dc`. A raster
// font's glyphs stay within their advance, but for a synthesized overhang.
void ReadInk(HDC dc, const TEXTMETRICA& metrics, FontInk& ink) {
    constexpr UINT kCount = std::tuple_size<FontInk>::value;
    ABC abc[kCount];
    INT widths[kCount];
    if (GetCharABCWidthsA(dc, 0, kCount - 1, abc)) {
        for (UINT c = 0; c < kCount; ++c) {
            ink[c] = {true, abc[c].abcA, static_cast<int>(abc[c].abcB),
                      abc[c].abcA + static_cast<int>(abc[c].abcB) + abc[c].abcC};
        }
    } else if (GetCharWidth32A(dc, 0, kCount - 1, widths)) {
        for (UINT c = 0; c < kCount; ++c) {
            ink[c] = {true, 0, widths[c] + metrics.tmOverhang, widths[c]};
        }
    }
}

}  // namespace

void WindowScrollBars::SetRange(ScrollBar bar, int maximum) {
    SetScrollRange(window_, BarOf(bar), 0, maximum, TRUE);
}

void WindowScrollBars::SetPosition(ScrollBar bar, int position) {
    SetScrollPos(window_, BarOf(bar), position, TRUE);
}

void ApplyFont(HWND window, ViewState& view, FontObject& font) {
    TEXTMETRICA metrics = {};
    {
        const common::ScopedDC dc(window);
        if (view.Font.Face[0] == '\0') {
            GetTextFaceA(dc.Get(), sizeof view.Font.Face, view.Font.Face);
        }
        // Only face and height carry over; weight, italics and character set stay default.
        LOGFONTA description = {};
        lstrcpynA(description.lfFaceName, view.Font.Face, sizeof description.lfFaceName);
        description.lfHeight = view.Font.Height;
        HFONT created = CreateFontIndirectA(&description);
        if (created != nullptr) {
            font.Reset(created);
            lstrcpynA(view.Font.Face, description.lfFaceName, sizeof view.Font.Face);
            view.Font.Height = description.lfHeight;
        } else {
            common::AlertBox("Could not create font");
        }
        // Without a new font, the lines are measured in the window's own.
        const common::ScopedSelection withFont(dc.Get(), created);
        GetTextMetricsA(dc.Get(), &metrics);
        view.Ink = {};
        if (created != nullptr) {
            ReadInk(dc.Get(), metrics, view.Ink);
        }
    }

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

RegionObject TakeUpdateRegion(HWND window) {
    RegionObject region(CreateRectRgn(0, 0, 0, 0));
    if (region.Get() != nullptr && GetUpdateRgn(window, region.Get(), FALSE) == ERROR) {
        region.Reset();
    }
    return region;
}

void DrawGrid(HDC dc, const ViewState& view, HFONT font, const CellTextFn& cellText, const RECT& area,
              HRGN updateRegion) {
    {
        const common::ScopedSelection withFont(dc, font);
        GdiCanvas canvas(dc, view.Ink);
        PaintGrid(view, cellText, canvas, PartsToPaint(updateRegion, area));
    }
    // The window is not erased before a paint, so that cells do not flash
    // white: only what lies beside and below the grid is filled.
    const CellSpan span = CellsMeeting(view, {area.left, area.top, area.right, area.bottom});
    const RECT right{std::max<LONG>(area.left, span.Columns.Reach + 1), area.top, area.right, area.bottom};
    const RECT below{area.left, std::max<LONG>(area.top, span.Rows.Reach + 1), area.right, area.bottom};
    for (const RECT& margin : {right, below}) {
        if (margin.left < margin.right && margin.top < margin.bottom) {
            FillRect(dc, &margin, GetSysColorBrush(COLOR_WINDOW));
        }
    }
}

void InvalidateCells(HWND window, const std::vector<CellRect>& cells) {
    if (cells.empty()) {
        return;
    }
    std::vector<char> bytes(sizeof(RGNDATAHEADER) + cells.size() * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(cells.size());
    data->rdh.nRgnSize = static_cast<DWORD>(cells.size() * sizeof(RECT));
    RECT bounds{cells[0].Left, cells[0].Top, cells[0].Right, cells[0].Bottom};
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    for (size_t i = 0; i < cells.size(); ++i) {
        rects[i] = {cells[i].Left, cells[i].Top, cells[i].Right, cells[i].Bottom};
        UnionRect(&bounds, &bounds, &rects[i]);
    }
    data->rdh.rcBound = bounds;
    RegionObject region(ExtCreateRegion(nullptr, static_cast<DWORD>(bytes.size()), data));
    if (region.Get() != nullptr) {
        InvalidateRgn(window, region.Get(), FALSE);
    } else {
        InvalidateRect(window, &bounds, FALSE);
    }
}

}  // namespace zorvel
