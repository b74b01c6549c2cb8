// The service itself, as the service manager runs it.
#pragma once

#include "monitor/service/service_options.h"

namespace zorvel {

// Hands the process to the service manager until the service has stopped.
int RunService(const ServiceOptions& options);

}  // namespace zorvel
