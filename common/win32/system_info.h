// Facts about the system and the process that both programs read at start-up.
#pragma once

#include <string>

#include <windows.h>

namespace common {

// dwPlatformId; Windows NT when the version cannot be read.
DWORD PlatformId();

// The current directory, whatever its length; empty when it cannot be read.
std::string CurrentDirectory();

}  // namespace common
