// Hour and day reports: text files in REPORTS, one per port or one for all.
#pragma once

#include <string>
#include <vector>

#include "monitor/grid/view_state.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

// What a report needs from outside: the time stamp, the free space and the
// starting of the configured program.
class ReportEnvironment {
public:
    virtual ~ReportEnvironment() = default;
    // The user's short date and the time without seconds; empty when they cannot be formatted.
    virtual void Stamp(std::string& date, std::string& time) = 0;
    virtual double FreeDiskBytes() = 0;
    // Starts a command line without waiting for it; a failure is not reported.
    virtual void StartProgram(const std::string& commandLine) = 0;
    // A report file that could not be written, with its status; the window
    // program's hour end says nothing of it, a service logs it.
    virtual void ReportFailed(const std::string&, int) {}
};

enum class Selection { All, Hour, Day, View };
enum class Layout { Multiple, Single };

enum ReportStatus : int {
    kReportOk = 0,
    kReportNoSpace = 1,
    kReportFileFailed = 2,  // could not be opened or written completely
    kReportFileFull = 3,    // a per-port file already past its limit
};

constexpr long kReportFileLimit = 2000000;

struct ReportContext {
    const ViewState& View;
    const PortTables& Tables;
    int StatisticCount;
    ReportEnvironment& Environment;
    std::string Folder = "REPORTS";
};

int WriteReport(const ReportContext& context, Selection selection, Layout layout);

// The input numbers an All, Hour or Day report writes, in catalogue order; the
// names decide, so the lists follow the catalogue. View has no fixed list.
std::vector<int> SelectionInputs(Selection selection, int statisticCount);

// A port name as a file-name stem: characters a file name cannot hold become "_".
std::string SafeFileStem(const std::string& name);

}  // namespace zorvel
