// Text in the system's ANSI code page (what Notepad saved before Windows 10,
// what the driver names ports with) as UTF-8, and back.
#pragma once

#include <string>

namespace common {

std::string AnsiToUtf8(const std::string& text);
// What the code page has no letter for becomes "?", which no file name holds.
std::string Utf8ToAnsi(const std::string& text);

}  // namespace common
