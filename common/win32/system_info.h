// Facts about the system and the process that both programs read at start-up,
// and the message loop they both run.
#pragma once

#include <string>

#include <windows.h>

namespace common {

// dwPlatformId; Windows NT when the version cannot be read.
DWORD PlatformId();

// The current directory, whatever its length; empty when it cannot be read.
std::string CurrentDirectory();

// Dispatches the thread's messages until the quit message (no accelerators).
void RunMessageLoop();

}  // namespace common
