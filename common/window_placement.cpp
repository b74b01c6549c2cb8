#include "common/window_placement.h"

#include <algorithm>

namespace common {
namespace {

// Remembered values come from a file: their sums may not fit 32 bits.
using Wide = long long;

struct WideArea {
    Wide Left;
    Wide Top;
    Wide Right;
    Wide Bottom;
};

bool Meets(const WideArea& window, const ScreenArea& area) {
    return window.Left < area.Right && area.Left < window.Right && window.Top < area.Bottom && area.Top < window.Bottom;
}

// Squared distance between the window and the area; 0 when they meet or touch.
double Gap(const WideArea& window, const ScreenArea& area) {
    const double x = static_cast<double>(std::max({Wide{0}, area.Left - window.Right, window.Left - area.Right}));
    const double y = static_cast<double>(std::max({Wide{0}, area.Top - window.Bottom, window.Top - area.Bottom}));
    return x * x + y * y;
}

}  // namespace

WindowRectangle RectangleToRecord(const WindowFacts& window) {
    if (window.Show == WindowShow::Normal) {
        const ScreenArea& outer = window.Outer;
        return {outer.Left, outer.Top, outer.Right - outer.Left, outer.Bottom - outer.Top};
    }
    const ScreenArea& restored = window.Restored;
    return {restored.Left + window.WorkOffsetX, restored.Top + window.WorkOffsetY, restored.Right - restored.Left,
            restored.Bottom - restored.Top};
}

std::optional<WindowRectangle> RectangleToApply(const WindowRectangle& remembered,
                                                const std::vector<ScreenArea>& workAreas, int smallestWidth,
                                                int smallestHeight) {
    if (remembered.Width == 0 || remembered.Height == 0) {
        return std::nullopt;
    }
    const Wide left = remembered.Left;
    const Wide top = remembered.Top;
    const WideArea asRemembered{left, top, left + remembered.Width, top + remembered.Height};
    const bool largeEnough = remembered.Width >= smallestWidth && remembered.Height >= smallestHeight;
    if (workAreas.empty() ||
        (largeEnough && std::any_of(workAreas.begin(), workAreas.end(),
                                    [&](const ScreenArea& area) { return Meets(asRemembered, area); }))) {
        return remembered;
    }
    Wide width = std::max<Wide>(remembered.Width, smallestWidth);
    Wide height = std::max<Wide>(remembered.Height, smallestHeight);
    const WideArea grown{left, top, left + width, top + height};
    const ScreenArea& area =
        *std::min_element(workAreas.begin(), workAreas.end(),
                          [&](const ScreenArea& a, const ScreenArea& b) { return Gap(grown, a) < Gap(grown, b); });
    width = std::min<Wide>(width, area.Right - area.Left);
    height = std::min<Wide>(height, area.Bottom - area.Top);
    const Wide newLeft = std::clamp<Wide>(left, area.Left, area.Right - width);
    const Wide newTop = std::clamp<Wide>(top, area.Top, area.Bottom - height);
    return WindowRectangle{static_cast<int>(newLeft), static_cast<int>(newTop), static_cast<int>(width),
                           static_cast<int>(height)};
}

}  // namespace common
