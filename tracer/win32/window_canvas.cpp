#include "tracer/win32/window_canvas.h"

namespace vizo {

bool WindowCanvas::Begin() {
    dc_ = GetDC(window_);
    if (dc_ == nullptr) {
        return false;
    }
    oldPen_ = SelectObject(dc_, GetStockObject(WHITE_PEN));
    oldBrush_ = SelectObject(dc_, GetStockObject(WHITE_BRUSH));
    return true;
}

void WindowCanvas::End() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    ReleaseDC(window_, dc_);
    dc_ = nullptr;
}

void WindowCanvas::Blank(int left, int top, int right, int bottom) {
    Rectangle(dc_, left, top, right, bottom);
}

void WindowCanvas::Text(int x, int y, const char* text) {
    TextOutA(dc_, x, y, text, lstrlenA(text));
}

}  // namespace vizo
