// What the export reads from reports and calcs.dat, and what its writers take:
// one row per port (per report line with --all-lines), values as texts; from
// history.dat, one row per port and bucket.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zorvel {

struct PortRow {
    std::string Name;
    // The report's date and time as written; none for calcs.dat.
    std::optional<std::string> Stamp;
    // Keyed by catalogue position, so every writer walks them in catalogue order.
    std::map<int, std::string> Values;
};

struct HistoryRow {
    std::string Port;
    const char* Bucket;  // "minute" or "hour"
    std::string Start;   // UTC, ISO 8601 with "Z"
    // Local time without a zone; none where the C library has none.
    std::optional<std::string> LocalStart;
    uint32_t Tx;
    uint32_t Rx;
    uint32_t Errors;
    bool Carrier;
};

struct PortRows {
    std::vector<std::string> Sources;
    std::vector<PortRow> Rows;
    // The sources that are histories, and their rows.
    std::vector<std::string> Histories;
    std::vector<HistoryRow> History;
};

// The catalogue positions that some row holds, in catalogue order.
std::vector<int> PresentStatistics(const PortRows& rows);

// The stamp every row shares, or none when they differ or one has none.
std::optional<std::string> CommonStamp(const PortRows& rows);

// A plain unsigned decimal, as the "Integer" type writes; scaled, on/off and
// h:mm:ss texts are not.
bool IsIntegerText(const std::string& text);

}  // namespace zorvel
