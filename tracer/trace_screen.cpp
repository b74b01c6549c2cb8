#include "tracer/trace_screen.h"

#include <cstring>

namespace vizo {

void TraceScreen::Append(const char* text, int length) {
    if (text == nullptr) {
        return;
    }
    const int count = length != 0 ? length : static_cast<int>(std::strlen(text));
    if (count <= 0) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        Put(static_cast<unsigned char>(text[i]));
    }
    pending_ = true;
}

void TraceScreen::Put(unsigned char c) {
    if (c == '\n') {
        NextLine();
    } else if (c == '\r') {
        column_ = 0;
        lines_[current_].Changed = 1;
    } else if (c < 0x20 || c > 0x80) {
        // "<%xH>" by hand: in a burst most bytes are shown so, and a printf
        // per byte cost more than all the rest of a refresh.
        static const char kHexDigits[] = "0123456789abcdef";
        Store('<');
        if (c >= 0x10) {
            Store(kHexDigits[c >> 4]);
        }
        Store(kHexDigits[c & 0xF]);
        Store('H');
        Store('>');
    } else {
        Store(static_cast<char>(c));
    }
}

void TraceScreen::Store(char c) {
    Slot& line = lines_[current_];
    line.Text[column_] = c;
    line.Text[column_ + 1] = '\0';
    line.Changed = 1;
    if (++column_ == kLineWidth) {
        NextLine();
    }
}

void TraceScreen::NextLine() {
    current_ = (current_ + 1) % kScreenLines;
    column_ = 0;
    lines_[current_].Text[0] = '\0';
    lines_[current_].Changed = 1;
}

void TraceScreen::Refresh(bool force) {
    if (!pending_ && !force) {
        return;
    }
    pending_ = false;
    if (height_ < kRowPitch) {
        return;
    }
    const int rows = VisibleRows();
    if (rows < 1 || canvas_ == nullptr || !canvas_->Begin()) {
        return;
    }
    // A moved current line shifts every row up: all of them need drawing.
    if (current_ != lastDrawn_) {
        lastDrawn_ = current_;
        force = true;
    }
    int slot = current_;
    for (int row = rows; row >= 1; --row) {
        Slot& line = lines_[slot];
        if (force || line.Changed != 0) {
            line.Changed = 0;
            const int y = row * kRowPitch + 4;
            // The bottom row also clears the row below it, left over from before a scroll.
            const int bottom = row == rows ? y + 2 * kRowPitch : y + kRowPitch;
            canvas_->Blank(kTextLeft, y, width_, bottom);
            if (line.Text[0] != '\0') {
                canvas_->Text(kTextLeft, y, line.Text);
            }
        }
        slot = slot == 0 ? kScreenLines - 1 : slot - 1;
    }
    canvas_->End();
}

void TraceScreen::Resize(int width, int height) {
    width_ = width;
    height_ = height;
    Refresh(true);
}

void TraceScreen::Clear() {
    for (Slot& line : lines_) {
        line.Text[0] = '\0';
    }
    current_ = 0;
    column_ = 0;
    Refresh(true);
}

}  // namespace vizo
