// screenshot_helper: drives the real programs for scripts/screenshots.sh, one
// step per call, the way the end-to-end tests do (posted mouse, key and
// character messages), and prints where a window is so the script can crop the
// screen to it. Every wait is bounded and a failure names what it waited for.
//
//   window CLASS TITLE          waits for a visible top-level window; prints its
//                               outer rectangle as WxH+X+Y
//   dialog CAPTION              the same for a dialog or message box
//   popup                       the same for an open popup menu
//   gone CAPTION                waits until the dialog CAPTION has closed
//   line-height                 the grid's line height from the default font
//   right-click CLASS TITLE X Y a right click at client position X,Y
//   choose N                    picks item N (from 1) of the open popup menu
//   type CLASS TITLE TEXT       types TEXT and Enter into the window
//   press CAPTION ID            presses button ID of the dialog CAPTION
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <windows.h>

#include "tests/e2e/line_height_win32.h"
#include "tests/e2e/wait_win32.h"

namespace {

HWND WaitVisible(const char* windowClass, const char* title) {
    HWND window = nullptr;
    if (!e2e::WaitFor([&] { return (window = e2e::FindVisibleWindow(0, windowClass, title)) != nullptr; })) {
        std::fprintf(stderr, "screenshot_helper: no window \"%s\" of class %s within %lu ms\n",
                     title != nullptr ? title : "", windowClass, static_cast<unsigned long>(e2e::kWaitMs));
    }
    return window;
}

int PrintRectangle(HWND window) {
    if (window == nullptr) {
        return 1;
    }
    RECT box;
    GetWindowRect(window, &box);
    std::printf("%ldx%ld+%ld+%ld\n", box.right - box.left, box.bottom - box.top, box.left, box.top);
    return 0;
}

int WaitGone(const char* caption) {
    if (!e2e::WaitFor([&] { return e2e::FindVisibleWindow(0, "#32770", caption) == nullptr; })) {
        std::fprintf(stderr, "screenshot_helper: the dialog \"%s\" did not close within %lu ms\n", caption,
                     static_cast<unsigned long>(e2e::kWaitMs));
        return 1;
    }
    return 0;
}

int PrintLineHeight() {
    std::printf("%d\n", e2e::LineHeight());
    return 0;
}

// The monitor takes the pointer position from the last mouse move, so each
// button message follows one. The screen pointer goes to a corner first, so
// that it lights up no menu item.
int RightClick(HWND window, int x, int y) {
    if (window == nullptr) {
        return 1;
    }
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageA(window, WM_MOUSEMOVE, 0, at);
    PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(window, WM_MOUSEMOVE, 0, at);
    PostMessageA(window, WM_RBUTTONUP, 0, at);
    return 0;
}

void PostKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 0);
    PostMessageA(window, WM_KEYUP, key, 0);
}

int Choose(int position) {
    HWND popup = WaitVisible("#32768", nullptr);
    if (popup == nullptr) {
        return 1;
    }
    for (int i = 0; i < position; ++i) {
        PostKey(popup, VK_DOWN);
    }
    PostKey(popup, VK_RETURN);
    return 0;
}

int Type(HWND window, const std::string& text) {
    if (window == nullptr) {
        return 1;
    }
    for (char c : text + "\r") {
        PostMessageA(window, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
    }
    return 0;
}

int Press(HWND dialog, int id) {
    if (dialog == nullptr) {
        return 1;
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    return 0;
}

bool Is(int argc, char** argv, const char* command, int arguments) {
    return argc == arguments + 2 && std::strcmp(argv[1], command) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (Is(argc, argv, "window", 2)) {
        return PrintRectangle(WaitVisible(argv[2], argv[3]));
    }
    if (Is(argc, argv, "dialog", 1)) {
        return PrintRectangle(WaitVisible("#32770", argv[2]));
    }
    if (Is(argc, argv, "popup", 0)) {
        return PrintRectangle(WaitVisible("#32768", nullptr));
    }
    if (Is(argc, argv, "gone", 1)) {
        return WaitGone(argv[2]);
    }
    if (Is(argc, argv, "line-height", 0)) {
        return PrintLineHeight();
    }
    if (Is(argc, argv, "right-click", 4)) {
        return RightClick(WaitVisible(argv[2], argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    }
    if (Is(argc, argv, "choose", 1)) {
        return Choose(std::atoi(argv[2]));
    }
    if (Is(argc, argv, "type", 3)) {
        return Type(WaitVisible(argv[2], argv[3]), argv[4]);
    }
    if (Is(argc, argv, "press", 2)) {
        return Press(WaitVisible("#32770", argv[2]), std::atoi(argv[3]));
    }
    std::fprintf(stderr,
                 "usage: screenshot_helper window CLASS TITLE | dialog CAPTION | popup | gone CAPTION | line-height\n"
                 "       | right-click CLASS TITLE X Y | choose N | type CLASS TITLE TEXT | press CAPTION ID\n");
    return 2;
}
