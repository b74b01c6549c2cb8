// Text in the system's ANSI code page (what Notepad saves, what the driver
// names ports with) as UTF-8.
#pragma once

#include <string>

namespace common {

std::string AnsiToUtf8(const std::string& text);

}  // namespace common
