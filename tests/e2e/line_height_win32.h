// The monitor's grid unit as the tests and the screenshot helper work it out:
// text height plus external leading of the default font, 16 outside 5 to 40 pixels.
#pragma once

#include <windows.h>

namespace e2e {

inline int LineHeight() {
    HDC dc = GetDC(nullptr);
    LOGFONTA description = {};
    GetTextFaceA(dc, sizeof description.lfFaceName, description.lfFaceName);
    HFONT font = CreateFontIndirectA(&description);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    const int height = metrics.tmHeight + metrics.tmExternalLeading;
    return height > 40 || height < 5 ? 16 : height;
}

}  // namespace e2e
