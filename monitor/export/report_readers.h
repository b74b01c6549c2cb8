// Readers of the two report layouts. Each appends its rows; a damaged line is
// noted with its number and skipped, a report cut short fails.
#pragma once

#include <string>

#include "monitor/export/diagnostics.h"
#include "monitor/export/port_rows.h"

namespace zorvel {

constexpr const char* kSingleReportStart = "******** RePort, Date:";
constexpr const char* kMultipleReportStart = "Time\t";

// One file for all ports: every port section is a row.
void ReadSingleReport(const std::string& text, const std::string& source, PortRows& rows, Diagnostics& diagnostics);

// One file per port, one line per report: the last good line is the row, or with
// `allLines` every good line. `port` is the name the file is kept under.
void ReadMultipleReport(const std::string& text, const std::string& source, const std::string& port, bool allLines,
                        PortRows& rows, Diagnostics& diagnostics);

// The port a per-port file belongs to: its name without folder, the "h" or "d"
// in front and ".txt".
std::string PortOfReportFile(const std::string& path);

}  // namespace zorvel
