#pragma once

#include "monitor/reports/report_writer.h"

namespace zorvel {

// Local time stamps in the user's formats, the current drive's free space and WinExec.
class WindowsReportEnvironment : public ReportEnvironment {
public:
    void Stamp(std::string& date, std::string& time) override;
    double FreeDiskBytes() override;
    void StartProgram(const std::string& commandLine) override;
};

}  // namespace zorvel
