#include "tracer/win32/window_canvas.h"

namespace vizo {

bool WindowCanvas::Begin() {
    dc_.emplace(window_);
    if (!*dc_) {
        dc_.reset();
        return false;
    }
    pen_.emplace(dc_->Get(), GetStockObject(WHITE_PEN));
    brush_.emplace(dc_->Get(), GetStockObject(WHITE_BRUSH));
    return true;
}

void WindowCanvas::End() {
    brush_.reset();
    pen_.reset();
    dc_.reset();
}

void WindowCanvas::Blank(int left, int top, int right, int bottom) {
    Rectangle(dc_->Get(), left, top, right, bottom);
}

void WindowCanvas::Text(int x, int y, const char* text) {
    TextOutA(dc_->Get(), x, y, text, lstrlenA(text));
}

}  // namespace vizo
