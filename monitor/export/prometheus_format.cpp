#include <set>

#include "monitor/export/export_formats.h"
#include "monitor/export/metric_table.h"

namespace zorvel {
namespace {

// Length of the well-formed UTF-8 sequence at `i`, or 0.
size_t Utf8Length(const std::string& text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) {
        return 0;
    }
    for (size_t k = i + 2; k < i + length; ++k) {
        if (byte(k) < 0x80 || byte(k) > 0xBF) {
            return 0;
        }
    }
    return length;
}

// The format is UTF-8; a port name's other bytes become U+FFFD. `quote` also
// escapes the double quote, as label values need and help texts do not.
std::string Escaped(const std::string& text, bool quote) {
    std::string out;
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8Length(text, i);
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        const char c = text[i];
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '"' && quote) {
            out += "\\\"";
        } else {
            out.append(text, i, length);
        }
        i += length;
    }
    return out;
}

}  // namespace

std::string FormatPrometheus(const PortRows& rows, const std::optional<std::string>& board, Diagnostics& diagnostics) {
    const std::string boardLabel = board ? "board=\"" + Escaped(*board, true) + "\"," : "";
    std::set<std::string> repeated;
    std::string text;
    for (int s : PresentStatistics(rows)) {
        const MetricInfo& metric = kMetrics[s];
        std::string samples;
        std::set<std::string> ports;
        for (const PortRow& row : rows.Rows) {
            const auto value = row.Values.find(s);
            if (value == row.Values.end() || !IsIntegerText(value->second)) {
                continue;
            }
            if (!ports.insert(row.Name).second) {
                repeated.insert(row.Name);
                continue;
            }
            samples += std::string(metric.Metric) + "{" + boardLabel + "port=\"" + Escaped(row.Name, true) + "\"} " +
                       value->second + "\n";
        }
        if (samples.empty()) {
            continue;
        }
        text += "# HELP " + std::string(metric.Metric) + " " +
                Escaped(std::string(metric.Statistic) + ": " + metric.Help, false) + "\n";
        text +=
            "# TYPE " + std::string(metric.Metric) + (metric.Type == MetricType::Counter ? " counter\n" : " gauge\n");
        text += samples;
    }
    for (const std::string& port : repeated) {
        diagnostics.Skip("port \"" + port +
                         "\" has values of one statistic from more than one row; only the first is "
                         "exported");
    }
    return text;
}

}  // namespace zorvel
