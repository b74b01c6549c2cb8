#include "monitor/stats/metric_text.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

#include "monitor/stats/catalogue.h"

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

// The format is UTF-8; a name's other bytes become U+FFFD. `quote` also
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

void AppendHeader(std::string& text, const std::string& name, const std::string& help, const char* type) {
    text += "# HELP ";
    text += name;
    text += ' ';
    text += Escaped(help, false);
    text += "\n# TYPE ";
    text += name;
    text += ' ';
    text += type;
    text += '\n';
}

}  // namespace

bool IsUtf8(const std::string& text) {
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8Length(text, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string BoardLabel(const std::optional<std::string>& board) {
    return board ? "board=\"" + Escaped(*board, true) + "\"," : "";
}

std::set<std::string> AppendStatisticFamilies(std::string& text, const MetricRows& rows, const std::string& boardLabel) {
    const size_t count = rows.RowCount();
    // Each row's label set, and the first row that bears the same one: names
    // whose bytes differ may still escape alike.
    std::vector<std::string> labels(count);
    std::vector<size_t> firstOfLabel(count);
    std::map<std::string, size_t> rowOfLabel;
    for (size_t row = 0; row < count; ++row) {
        labels[row] = "{" + boardLabel + "port=\"" + Escaped(rows.PortName(row), true) + "\"} ";
        firstOfLabel[row] = rowOfLabel.emplace(labels[row], row).first->second;
    }
    size_t longestLabel = 0;
    for (const std::string& label : labels) {
        longestLabel = std::max(longestLabel, label.size());
    }
    std::set<std::string> repeated;
    std::vector<char> taken(count);
    char scratch[16];
    for (int s = 0; s < kCatalogueSize; ++s) {
        const Statistic& metric = kStatistics[s];
        const size_t familyStart = text.size();
        AppendHeader(text, metric.Metric, std::string(metric.Name) + ": " + metric.Help,
                     metric.Type == MetricType::Counter ? "counter" : "gauge");
        const size_t samplesStart = text.size();
        const std::string_view name = metric.Metric;
        std::fill(taken.begin(), taken.end(), 0);
        // Written in place into room for the usual value of up to ten digits:
        // 7,168 samples of 128 ports through appends cost twice as much.
        size_t end = samplesStart;
        text.resize(end + count * (name.size() + longestLabel + 11));
        for (size_t row = 0; row < count; ++row) {
            const std::optional<std::string_view> value = rows.Value(s, row, scratch);
            if (!value) {
                continue;
            }
            if (taken[firstOfLabel[row]]) {
                repeated.insert(rows.PortName(row));
                continue;
            }
            taken[firstOfLabel[row]] = 1;
            const std::string& label = labels[row];
            const size_t length = name.size() + label.size() + value->size() + 1;
            if (end + length > text.size()) {
                text.resize(end + length + (count - row) * (name.size() + longestLabel + 11));
            }
            char* out = &text[end];
            std::memcpy(out, name.data(), name.size());
            out += name.size();
            std::memcpy(out, label.data(), label.size());
            out += label.size();
            std::memcpy(out, value->data(), value->size());
            out[value->size()] = '\n';
            end += length;
        }
        text.resize(end == samplesStart ? familyStart : end);
    }
    return repeated;
}

void AppendGauge(std::string& text, const char* name, const char* help, const std::string& boardLabel,
                 int64_t value) {
    AppendHeader(text, name, help, "gauge");
    text += name;
    if (!boardLabel.empty()) {
        text += '{';
        text.append(boardLabel, 0, boardLabel.size() - 1);
        text += '}';
    }
    text += ' ';
    text += std::to_string(value);
    text += '\n';
}

}  // namespace zorvel
