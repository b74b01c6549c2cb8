// Texts shown in message boxes.
#pragma once

#include <cstdarg>
#include <string>

namespace common {

constexpr size_t kMessageLimit = 199;

// printf-style formatting cut to the 199 characters a box shows; a longer
// message is cut, never written past its buffer.
std::string FormatMessageText(const char* format, std::va_list args);
std::string FormatMessageTextF(const char* format, ...);

}  // namespace common
