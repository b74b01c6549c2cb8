// The window rectangle both programs remember across runs: which one to keep
// when the window closes, and where it goes when it is applied at the next start.
#pragma once

#include <optional>
#include <vector>

namespace common {

// A window's outer rectangle as the view and settings files keep it.
struct WindowRectangle {
    int Left;
    int Top;
    int Width;
    int Height;
};

// A rectangle as the system reports it: Right and Bottom lie just outside it.
struct ScreenArea {
    int Left;
    int Top;
    int Right;
    int Bottom;
};

enum class WindowShow { Normal, Minimised, Maximised };

// What a window tells about itself when its rectangle is recorded.
struct WindowFacts {
    WindowShow Show;
    ScreenArea Outer;     // the rectangle it has now, in screen pixels
    ScreenArea Restored;  // its restored rectangle, in work-area coordinates
    int WorkOffsetX;      // its monitor's work area origin minus the monitor's origin
    int WorkOffsetY;
};

// A minimised window sits at its parking place and a maximised one fills the
// screen: both are remembered by their restored rectangle instead.
WindowRectangle RectangleToRecord(const WindowFacts& window);

// Where to move a new window to, or nothing when the remembered width or height
// is 0. A rectangle that meets a work area and is at least the smallest
// trackable size is kept as it is; any other is moved onto the nearest work
// area, grown to the smallest size and cut to the area's, keeping its size
// where that fits.
std::optional<WindowRectangle> RectangleToApply(const WindowRectangle& remembered,
                                                const std::vector<ScreenArea>& workAreas, int smallestWidth,
                                                int smallestHeight);

}  // namespace common
