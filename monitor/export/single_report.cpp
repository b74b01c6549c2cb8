#include <cstring>

#include "monitor/export/report_readers.h"
#include "monitor/export/report_text.h"

namespace zorvel {

void ReadSingleReport(const std::string& text, const std::string& source, PortRows& rows, Diagnostics& diagnostics) {
    constexpr const char* kPortStart = "==== Port:";
    const size_t portStartLength = std::strlen(kPortStart);
    const std::vector<std::string> lines = SplitLines(text);
    const std::string stamp = lines.front().substr(std::strlen(kSingleReportStart));
    PortRow* port = nullptr;
    bool anyPort = false;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const int number = static_cast<int>(i + 1);
        if (line.empty()) {
            continue;
        }
        if (line.compare(0, portStartLength, kPortStart) == 0) {
            rows.Rows.push_back({line.substr(portStartLength), stamp, {}});
            port = &rows.Rows.back();
            anyPort = true;
            continue;
        }
        const size_t equals = line.find('=');
        if (port == nullptr || equals == std::string::npos) {
            diagnostics.Skip(LineMessage(source, number, "not a statistic line, skipped: " + Excerpt(line)));
            continue;
        }
        if (!AddStatistic(port->Values, line.substr(0, equals), line.substr(equals + 1))) {
            diagnostics.Skip(LineMessage(source, number, "no such statistic, skipped: " + Excerpt(line)));
        }
    }
    if (!anyPort) {
        diagnostics.Fail(source + ": truncated: the report header and no port");
    }
}

}  // namespace zorvel
