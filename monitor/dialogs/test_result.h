// The box a Test button of Program Setup shows.
#pragma once

#include <string>

namespace zorvel {

// The reports' own result ("Done." or "Error reported:N"), then, when the
// external program could not be started (`failedCommand` not empty), its
// command line and the system's reason.
std::string TestResultText(int reportStatus, const std::string& failedCommand, const std::string& reason);

}  // namespace zorvel
