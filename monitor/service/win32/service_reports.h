// The hour and day ends' outside world for the service: no desktop to show a
// program on and no one to tell, so what fails goes to the event log.
#pragma once

#include <string>

#include "monitor/reports/report_writer.h"
#include "monitor/service/service_events.h"

namespace zorvel {

class ServiceReportEnvironment : public ReportEnvironment {
public:
    ServiceReportEnvironment(std::string folder, ServiceLog& log) : folder_(std::move(folder)), log_(log) {}

    void Stamp(std::string& date, std::string& time) override;
    double FreeDiskBytes() override;
    // Started in the folder, as the window program starts it from there.
    void StartProgram(const std::string& commandLine) override;
    void ReportFailed(const std::string& path, int status) override;

    // The last program that could not be started, and why; for a test of the
    // reports, whose caller shows them.
    void Forget();
    const std::string& FailedCommand() const { return failedCommand_; }
    const std::string& Reason() const { return reason_; }

private:
    const std::string folder_;
    ServiceLog& log_;
    std::string failedCommand_;
    std::string reason_;
};

}  // namespace zorvel
