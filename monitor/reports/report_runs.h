// The hour and day report runs the settings ask for.
#pragma once

#include "monitor/program_settings.h"
#include "monitor/reports/report_writer.h"

namespace zorvel {

// Each writes the Multiple, then the Single report its choices ask for, then
// starts the configured program whatever the reports did. The status is the
// first failure, so a failed report is not hidden by a later success.
int RunHourReports(const ReportContext& context, const ProgramSettings& settings);
int RunDayReports(const ReportContext& context, const ProgramSettings& settings);

}  // namespace zorvel
