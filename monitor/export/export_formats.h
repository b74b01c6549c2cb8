// The four output formats. Each returns the whole output, byte for byte.
#pragma once

#include <optional>
#include <string>

#include "monitor/export/diagnostics.h"
#include "monitor/export/port_rows.h"

namespace zorvel {

// RFC 4180 with CR LF; `withTime` adds a Time column after Port.
std::string FormatCsv(const PortRows& rows, bool withTime);

// One object: source, stamp, ports; plain numbers as numbers, other texts as strings.
std::string FormatJson(const PortRows& rows, bool withTime);

// Text exposition format 0.0.4, ending with a line feed; texts that are not
// plain numbers are left out, and a port's second value of one statistic is
// left out (and noted), since a sample may appear only once.
std::string FormatPrometheus(const PortRows& rows, const std::optional<std::string>& board, Diagnostics& diagnostics);

// For a terminal: a line per statistic, a column per port.
std::string FormatTable(const PortRows& rows, bool withTime);

// The history's rows: CSV as above, with the columns Port, Bucket, StartUTC,
// StartLocal, Tx, Rx, Errors and Carrier (1 or 0).
std::string FormatHistoryCsv(const PortRows& rows);

// One object: source, and buckets, one a line, with the CSV's fields as
// port, bucket, start_utc, start_local (null where unknown), tx, rx, errors
// and carrier.
std::string FormatHistoryJson(const PortRows& rows);

}  // namespace zorvel
