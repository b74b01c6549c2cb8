#pragma once

#include <string>

#include <windows.h>

namespace common {

// The system's text for an error code, without its line end.
std::string SystemMessage(DWORD code);

}  // namespace common
