#include "monitor/grid/mouse.h"

#include <algorithm>

#include "monitor/grid/columns.h"
#include "resources/zorvel_ids.h"

namespace zorvel {
namespace {

constexpr int kEdgePixels = 5;
constexpr int kMinWidth = 1;
constexpr int kMaxWidth = 60;

struct Hit {
    int Row;
    int Column;
    bool NearEdge;  // within the right 7 pixels of the column: a resize grip
};

// A column's range reaches one pixel into its right neighbour, which the earlier
// column wins; only the first column whose range holds the pointer is searched.
bool HitTest(const ViewState& view, Hit& hit) {
    const int endColumn = std::min<int>(view.EndColumn, kMaxGridColumns);
    const int endRow = std::min<int>(view.EndRow, kMaxGridRows);
    int x0 = 0;
    for (int slot = view.FirstColumn; slot < endColumn; ++slot) {
        const int column = slot == view.FirstColumn ? 0 : slot;
        const int w = view.ColumnPixels[column];
        if (view.PointerX < x0 + 1 || view.PointerX > x0 + w + 1) {
            x0 += w;
            continue;
        }
        int y0 = 0;
        for (int rowSlot = view.FirstRow; rowSlot < endRow; ++rowSlot) {
            const int row = rowSlot == view.FirstRow ? 0 : rowSlot;
            const int h = view.RowPixels[row];
            if (view.PointerY >= y0 + 1 && view.PointerY <= y0 + h) {
                hit = Hit{row, column, view.PointerX >= x0 + w - kEdgePixels};
                return true;
            }
            y0 += h;
        }
        return false;
    }
    return false;
}

int MoveColumn(ViewState& view, MouseHost& host) {
    if (view.ColumnCount >= kMaxColumns) {
        return 1;
    }
    int target = view.HitColumn;
    if (target == view.DragColumn || target == 0) {
        return 1;
    }
    // The column lands just before the one it was dropped on.
    if (target > view.DragColumn) {
        --target;
        --view.HitColumn;
    }
    RemoveColumn(view, view.DragColumn - 1);
    InsertColumn(view, target - 1);
    host.ApplyFont();
    return 0;
}

}  // namespace

std::vector<PopupItem> PopupItems(const ViewState& view) {
    std::vector<PopupItem> items;
    if (view.ColumnCount > 0 && view.HitColumn != 0) {
        items.push_back({IDM_REMOVE, "Remove"});
        items.push_back({IDM_PROPERTIES, "Properties"});
    }
    if (view.ColumnCount > 0) {
        items.push_back({IDM_RESET, "Reset"});
    }
    if (view.ColumnCount < kMaxColumns) {
        items.push_back({IDM_ADD, "Add"});
    }
    if (view.HitRow >= 1 && view.HitRow < view.GridRows) {
        items.push_back({IDM_GRAPH_PORT, "&Graph"});
    }
    return items;
}

int MouseButton(ViewState& view, MouseMessage message, MouseHost& host) {
    if (view.DragMode != kNoDrag) {
        host.SetPointer(kArrowCursor);
    }
    Hit hit{};
    if (!HitTest(view, hit)) {
        return 1;
    }
    view.HitColumn = hit.Column;
    view.HitRow = hit.Row;
    switch (message) {
        case MouseMessage::LeftDown:
            if (hit.Column == 0) {
                return 1;
            }
            view.DragColumn = hit.Column;
            view.DragStartX = view.PointerX;
            view.DragMode = hit.NearEdge ? kResizeDrag : kMoveDrag;
            host.SetPointer(hit.NearEdge ? kSizeCursor : kMoveCursor);
            return 0;
        case MouseMessage::LeftUp:
            if (view.DragColumn == 0) {
                return 1;
            }
            FinishDrag(view, host);
            view.DragMode = kNoDrag;
            return 0;
        case MouseMessage::RightDown: return 0;
        case MouseMessage::RightUp: host.ShowPopup(PopupItems(view), view.PointerX, view.PointerY); return 0;
    }
    return 1;
}

int FinishDrag(ViewState& view, MouseHost& host) {
    // A drag left pending while columns were removed may name a column that is
    // gone; acting on it would move or resize scratch records into the view.
    if (view.DragMode != kNoDrag && view.DragColumn > view.ColumnCount) {
        return 1;
    }
    if (view.DragMode == kMoveDrag) {
        return MoveColumn(view, host);
    }
    if (view.DragMode == kResizeDrag) {
        ColumnDef& column = view.Columns[view.DragColumn - 1];
        const int width = column.Width + (view.PointerX - view.DragStartX) * 4 / view.LineHeight;
        column.Width = static_cast<uint16_t>(std::clamp(width, kMinWidth, kMaxWidth));
    }
    host.ApplyFont();
    return 0;
}

}  // namespace zorvel
