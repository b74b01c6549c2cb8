#pragma once

#include <string>

#include "monitor/win32/report_environment.h"

namespace zorvel {

// The report environment of a Test button: it remembers an external program
// that could not be started, so the user hears of it. The hour and day ends
// use the plain environment, which stays silent.
class CheckedStartEnvironment : public WindowsReportEnvironment {
public:
    void StartProgram(const std::string& commandLine) override;

    const std::string& FailedCommand() const { return failedCommand_; }
    const std::string& Reason() const { return reason_; }

private:
    std::string failedCommand_;
    std::string reason_;
};

}  // namespace zorvel
