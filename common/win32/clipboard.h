#pragma once

#include <string>

#include <windows.h>

namespace common {

// Makes `text` (bytes of the system code page) the clipboard's one content,
// as CF_TEXT owned by `owner`; false when the clipboard could not take it.
bool PutClipboardText(HWND owner, const std::string& text);

}  // namespace common
