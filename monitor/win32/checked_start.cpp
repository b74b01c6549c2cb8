#include "monitor/win32/checked_start.h"

#include <windows.h>

#include "common/win32/system_message.h"

namespace zorvel {

void CheckedStartEnvironment::StartProgram(const std::string& commandLine) {
    // WinExec gives a system error code below 32 when it cannot start the program, 0 for no memory.
    const UINT result = WinExec(commandLine.c_str(), SW_RESTORE);
    if (result < 32) {
        failedCommand_ = commandLine;
        reason_ = common::SystemMessage(result == 0 ? ERROR_NOT_ENOUGH_MEMORY : result);
    }
}

}  // namespace zorvel
