#pragma once

#include <optional>

#include <windows.h>

#include "common/win32/scoped.h"
#include "tracer/trace_screen.h"

namespace vizo {

// Draws into a window's client area through its own device context, with the
// stock white pen and brush and the context's default font and colours.
class WindowCanvas : public TraceCanvas {
public:
    explicit WindowCanvas(HWND window) : window_(window) {}

    bool Begin() override;
    void End() override;
    void Blank(int left, int top, int right, int bottom) override;
    void Text(int x, int y, const char* text) override;

private:
    HWND window_;
    // From Begin to End; released in the reverse order of their making.
    std::optional<common::ScopedDC> dc_;
    std::optional<common::ScopedSelection> pen_;
    std::optional<common::ScopedSelection> brush_;
};

}  // namespace vizo
