#pragma once

#include <windows.h>

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
    HDC dc_ = nullptr;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
};

}  // namespace vizo
