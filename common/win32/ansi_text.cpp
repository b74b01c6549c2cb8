#include "common/win32/ansi_text.h"

#include <windows.h>

namespace common {

std::string AnsiToUtf8(const std::string& text) {
    // Already UTF-8, where whatever is not valid is better marked than dropped.
    if (text.empty() || GetACP() == CP_UTF8) {
        return text;
    }
    const int size = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (wideLength <= 0) {
        return text;
    }
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, &wide[0], wideLength);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return text;
    }
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], length, nullptr, nullptr);
    return utf8;
}

}  // namespace common
