#include "monitor/service/win32/service_reports.h"

#include <windows.h>

#include "common/win32/free_disk.h"
#include "common/win32/scoped.h"
#include "common/win32/system_message.h"
#include "common/win32/time_stamp.h"

namespace zorvel {

void ServiceReportEnvironment::Stamp(std::string& date, std::string& time) {
    common::LocalDateTimeStamp(date, time);
}

double ServiceReportEnvironment::FreeDiskBytes() {
    return common::FreeDiskBytes(folder_);
}

void ServiceReportEnvironment::StartProgram(const std::string& commandLine) {
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup, &info)) {
        failedCommand_ = commandLine;
        reason_ = common::SystemMessage(GetLastError());
        log_.Write(ProgramFailedEvent(commandLine, reason_));
        return;
    }
    common::UniqueKernelObject process(info.hProcess);
    common::UniqueKernelObject thread(info.hThread);
}

void ServiceReportEnvironment::ReportFailed(const std::string& path, int status) {
    log_.Write(ReportFailedEvent(path, status));
}

void ServiceReportEnvironment::Forget() {
    failedCommand_.clear();
    reason_.clear();
}

}  // namespace zorvel
