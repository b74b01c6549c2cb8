#pragma once

#include <string>

#include <windows.h>

namespace common {

// Makes `text` (bytes of the system code page) the clipboard's one content,
// as CF_TEXT owned by `owner`; false when the clipboard could not take it.
bool PutClipboardText(HWND owner, const std::string& text);

// The same with `picture` beside the text, as CF_BITMAP; the clipboard takes
// the bitmap, which is deleted when it cannot.
bool PutClipboardPictureAndText(HWND owner, HBITMAP picture, const std::string& text);

}  // namespace common
