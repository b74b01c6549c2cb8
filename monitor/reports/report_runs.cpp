#include "monitor/reports/report_runs.h"

namespace zorvel {
namespace {

// Choice 1 is the period's own data; 2 all statistics; 3 the view's columns.
bool SelectionOf(int choice, Selection period, Selection& selection) {
    switch (choice) {
        case 1: selection = period; return true;
        case 2: selection = Selection::All; return true;
        case 3: selection = Selection::View; return true;
        default: return false;
    }
}

int Run(const ReportContext& context, Selection period, int multiChoice, int singleChoice, const std::string& spawn) {
    int status = kReportOk;
    Selection selection;
    if (SelectionOf(multiChoice, period, selection)) {
        status = WriteReport(context, selection, Layout::Multiple);
    }
    if (SelectionOf(singleChoice, period, selection)) {
        const int single = WriteReport(context, selection, Layout::Single);
        if (status == kReportOk) {
            status = single;
        }
    }
    if (!spawn.empty()) {
        context.Environment.StartProgram(spawn);
    }
    return status;
}

}  // namespace

int RunHourReports(const ReportContext& context, const ProgramSettings& settings) {
    return Run(context, Selection::Hour, settings.HourMulti, settings.HourSingle, settings.HourSpawn);
}

int RunDayReports(const ReportContext& context, const ProgramSettings& settings) {
    return Run(context, Selection::Day, settings.DayMulti, settings.DaySingle, settings.DaySpawn);
}

}  // namespace zorvel
