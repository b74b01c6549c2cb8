#pragma once

#include "common/alerts.h"
#include "common/whole_file.h"

namespace zorvel {

// 0 for a written file; otherwise says what went wrong and gives 1.
int ReportWriteOutcome(common::WriteResult result, const char* path, common::Alerts& alerts);

}  // namespace zorvel
