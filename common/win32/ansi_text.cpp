#include "common/win32/ansi_text.h"

#include <windows.h>

namespace common {

namespace {

// From one code page to another through UTF-16; the text as it came when
// the system cannot convert it.
std::string Convert(const std::string& text, UINT from, UINT to) {
    const int size = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(from, 0, text.data(), size, nullptr, 0);
    if (wideLength <= 0) {
        return text;
    }
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(from, 0, text.data(), size, &wide[0], wideLength);
    const int length = WideCharToMultiByte(to, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return text;
    }
    std::string converted(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(to, 0, wide.data(), wideLength, &converted[0], length, nullptr, nullptr);
    return converted;
}

}  // namespace

std::string AnsiToUtf8(const std::string& text) {
    // Already UTF-8, where whatever is not valid is better marked than dropped.
    if (text.empty() || GetACP() == CP_UTF8) {
        return text;
    }
    return Convert(text, CP_ACP, CP_UTF8);
}

std::string Utf8ToAnsi(const std::string& text) {
    if (text.empty() || GetACP() == CP_UTF8) {
        return text;
    }
    return Convert(text, CP_UTF8, CP_ACP);
}

}  // namespace common
