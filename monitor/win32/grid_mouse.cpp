#include "monitor/win32/grid_mouse.h"

#include "common/win32/dialogs.h"
#include "monitor/win32/grid_window.h"
#include "monitor/win32/monitor_app.h"

namespace zorvel {
namespace {

class WindowMouseHost : public MouseHost {
public:
    WindowMouseHost(HWND window, ViewState& view) : window_(window), view_(view) {}

    void SetPointer(int cursorMode) override {
        g_app.CursorMode = cursorMode;
        SetCursor(CursorFor(cursorMode));
    }

    void ApplyFont() override { zorvel::ApplyFont(window_, view_, g_app.GridFont); }

    // The menu's loop keeps the timer running; a lost driver may destroy the
    // window meanwhile, so nothing of the view is touched after it.
    void ShowPopup(const std::vector<PopupItem>& items, int x, int y) override {
        HMENU menu = CreatePopupMenu();
        for (const PopupItem& item : items) {
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.Command), item.Label);
        }
        POINT point{x, y};
        common::OffsetToScreen(window_, point);
        TrackPopupMenu(menu, 0, point.x, point.y, 0, window_, nullptr);
        DestroyMenu(menu);
    }

private:
    HWND window_;
    ViewState& view_;
};

}  // namespace

HCURSOR CursorFor(int cursorMode) {
    switch (cursorMode) {
        case kArrowCursor: return g_app.ArrowCursor;
        case kMoveCursor: return g_app.MoveCursor;
        case kSizeCursor: return g_app.SizeCursor;
        default: return nullptr;
    }
}

void HandleGridButton(HWND window, ViewState& view, MouseMessage message) {
    WindowMouseHost host(window, view);
    MouseButton(view, message, host);
}

}  // namespace zorvel
