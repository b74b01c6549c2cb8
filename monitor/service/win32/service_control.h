// The commands an administrator gives zorvel-service: each prints what it did
// or why it did nothing, in one line, and returns the program's exit code.
#pragma once

#include "monitor/service/service_options.h"

namespace zorvel {

int InstallCommand(const ServiceOptions& options);
int UninstallCommand(const ServiceOptions& options);
int StartCommand(const ServiceOptions& options);
int StopCommand(const ServiceOptions& options);
int StatusCommand(const ServiceOptions& options);

}  // namespace zorvel
