#include "monitor/win32/checked_start.h"

#include <windows.h>

namespace zorvel {
namespace {

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 ? std::string(text, length) : "error " + std::to_string(code);
    LocalFree(text);
    message.erase(message.find_last_not_of("\r\n ") + 1);
    return message;
}

}  // namespace

void CheckedStartEnvironment::StartProgram(const std::string& commandLine) {
    // WinExec gives a system error code below 32 when it cannot start the program, 0 for no memory.
    const UINT result = WinExec(commandLine.c_str(), SW_RESTORE);
    if (result < 32) {
        failedCommand_ = commandLine;
        reason_ = SystemMessage(result == 0 ? ERROR_NOT_ENOUGH_MEMORY : result);
    }
}

}  // namespace zorvel
