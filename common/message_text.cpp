#include "common/message_text.h"

#include <cstdio>

namespace common {

std::string FormatMessageText(const char* format, std::va_list args) {
    char buffer[kMessageLimit + 1];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    return buffer;
}

std::string FormatMessageTextF(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::string text = FormatMessageText(format, args);
    va_end(args);
    return text;
}

}  // namespace common
