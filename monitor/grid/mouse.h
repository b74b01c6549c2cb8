// Mouse work on the grid: the hit test, column drags and the popup's items.
#pragma once

#include <vector>

#include "monitor/grid/view_state.h"

namespace zorvel {

enum class MouseMessage { LeftDown, LeftUp, RightDown, RightUp };

// The program-wide CursorMode values.
constexpr int kArrowCursor = 0;
constexpr int kMoveCursor = 1;
constexpr int kSizeCursor = 2;

constexpr int kNoDrag = 0;
constexpr int kMoveDrag = 1;
constexpr int kResizeDrag = 2;

struct PopupItem {
    int Command;
    const char* Label;
};

// Seam to the window: pointer shapes, relayout and the popup menu.
class MouseHost {
public:
    virtual ~MouseHost() = default;
    // Shows the shape and records it as the CursorMode.
    virtual void SetPointer(int cursorMode) = 0;
    virtual void ApplyFont() = 0;
    // Shows the items at a point of the client area; a choice arrives later as a command.
    virtual void ShowPopup(const std::vector<PopupItem>& items, int x, int y) = 0;
};

// The popup's items for the hit cell, in menu order.
std::vector<PopupItem> PopupItems(const ViewState& view);

// Acts on the button at (PointerX, PointerY). 0 when handled, 1 when the pointer
// is on no cell or the button does not apply there.
int MouseButton(ViewState& view, MouseMessage message, MouseHost& host);

// Ends a move or resize at the hit cell. 0 when done, 1 when a move is refused.
int FinishDrag(ViewState& view, MouseHost& host);

}  // namespace zorvel
