#pragma once

#include "common/alerts.h"
#include "common/whole_file.h"

namespace common {

// 0 for a written file; otherwise says what went wrong and gives 1.
int ReportWriteOutcome(WriteResult result, const char* path, Alerts& alerts);

}  // namespace common
