#include "monitor/export/export_formats.h"
#include "monitor/stats/catalogue.h"

namespace zorvel {
namespace {

// Quoted also for a leading or trailing blank, which spreadsheets would
// otherwise trim: "CD " and scaled texts such as " 1.234M" keep theirs.
std::string Field(const std::string& text) {
    const bool quoted = text.find_first_of(",\"\r\n") != std::string::npos ||
                        (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quoted) {
        return text;
    }
    std::string field = "\"";
    for (char c : text) {
        field += c == '"' ? "\"\"" : std::string(1, c);
    }
    return field + "\"";
}

}  // namespace

std::string FormatCsv(const PortRows& rows, bool withTime) {
    const std::vector<int> present = PresentStatistics(rows);
    std::string text = withTime ? "Port,Time" : "Port";
    for (int s : present) {
        text += "," + Field(kStatistics[s].Name);
    }
    text += "\r\n";
    for (const PortRow& row : rows.Rows) {
        text += Field(row.Name);
        if (withTime) {
            text += "," + Field(row.Stamp.value_or(""));
        }
        for (int s : present) {
            const auto value = row.Values.find(s);
            text += "," + (value == row.Values.end() ? std::string() : Field(value->second));
        }
        text += "\r\n";
    }
    return text;
}

std::string FormatHistoryCsv(const PortRows& rows) {
    std::string text = "Port,Bucket,StartUTC,StartLocal,Tx,Rx,Errors,Carrier\r\n";
    for (const HistoryRow& row : rows.History) {
        text += Field(row.Port) + "," + row.Bucket + "," + row.Start + "," + row.LocalStart.value_or("") + "," +
                std::to_string(row.Tx) + "," + std::to_string(row.Rx) + "," + std::to_string(row.Errors) + "," +
                (row.Carrier ? "1" : "0") + "\r\n";
    }
    return text;
}

}  // namespace zorvel
