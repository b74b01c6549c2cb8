#include "monitor/win32/report_environment.h"

#include <windows.h>

#include "common/win32/dialogs.h"
#include "common/win32/free_disk.h"
#include "common/win32/time_stamp.h"
#include "monitor/win32/monitor_app.h"

namespace zorvel {

void WindowsReportEnvironment::Stamp(std::string& date, std::string& time) {
    common::LocalDateTimeStamp(date, time);
}

double WindowsReportEnvironment::FreeDiskBytes() {
    return common::FreeDiskBytes(g_app.StartDirectory);
}

void WindowsReportEnvironment::StartProgram(const std::string& commandLine) {
    WinExec(commandLine.c_str(), SW_RESTORE);
}

}  // namespace zorvel
