#include <algorithm>

#include "monitor/export/export_formats.h"
#include "monitor/stats/catalogue.h"

namespace zorvel {
namespace {

using Line = std::vector<std::string>;

}  // namespace

// Ports across and statistics down: a report names up to 56 statistics but a
// board usually has few ports, so this way a terminal holds it.
std::string FormatTable(const PortRows& rows, bool withTime) {
    std::vector<Line> lines;
    Line names{"Port"};
    Line times{"Time"};
    for (const PortRow& row : rows.Rows) {
        names.push_back(row.Name);
        times.push_back(row.Stamp.value_or(""));
    }
    lines.push_back(names);
    if (withTime) {
        lines.push_back(times);
    }
    for (int s : PresentStatistics(rows)) {
        Line line{kStatistics[s].Name};
        for (const PortRow& row : rows.Rows) {
            const auto value = row.Values.find(s);
            line.push_back(value == row.Values.end() ? "" : value->second);
        }
        lines.push_back(line);
    }
    std::vector<size_t> widths(rows.Rows.size() + 1, 0);
    for (const Line& line : lines) {
        for (size_t k = 0; k < line.size(); ++k) {
            widths[k] = std::max(widths[k], line[k].size());
        }
    }
    std::string text;
    for (const Line& line : lines) {
        std::string out;
        for (size_t k = 0; k < line.size(); ++k) {
            out += line[k] + std::string(widths[k] - line[k].size() + 2, ' ');
        }
        out.erase(out.find_last_not_of(' ') + 1);
        text += out + "\n";
    }
    return text;
}

}  // namespace zorvel
