#include "monitor/win32/report_environment.h"

#include <windows.h>

#include "common/win32/dialogs.h"

namespace zorvel {

void WindowsReportEnvironment::Stamp(std::string& date, std::string& time) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char dateText[40] = "";
    char timeText[20] = "";
    GetDateFormatA(0, DATE_SHORTDATE, &now, nullptr, dateText, sizeof dateText);
    GetTimeFormatA(0, TIME_NOSECONDS, &now, nullptr, timeText, sizeof timeText);
    date = dateText;
    time = timeText;
}

double WindowsReportEnvironment::FreeDiskBytes() {
    return common::FreeDiskBytes();
}

void WindowsReportEnvironment::StartProgram(const std::string& commandLine) {
    WinExec(commandLine.c_str(), SW_RESTORE);
}

}  // namespace zorvel
