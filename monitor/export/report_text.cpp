#include "monitor/export/report_text.h"

#include "monitor/export/port_rows.h"
#include "monitor/stats/catalogue.h"

namespace zorvel {

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') {
            --stop;
        }
        lines.push_back(text.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> SplitFields(const std::string& line, char separator) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t end; (end = line.find(separator, start)) != std::string::npos; start = end + 1) {
        fields.push_back(line.substr(start, end - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

std::string Excerpt(const std::string& line) {
    constexpr size_t kLength = 40;
    std::string text = line.substr(0, kLength);
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    return "\"" + text + (line.size() > kLength ? "...\"" : "\"");
}

std::string LineMessage(const std::string& source, int line, const std::string& what) {
    return source + ":" + std::to_string(line) + ": " + what;
}

int ColumnPosition(const std::string& name) {
    const int position = StatisticPosition(name);
    if (position >= 0) {
        return position;
    }
    const bool placeholder = name.size() > 5 && name.compare(0, 5, "Input") == 0 &&
                             name.find_first_not_of("0123456789", 5) == std::string::npos;
    return placeholder ? -1 : -2;
}

bool AddStatistic(std::map<int, std::string>& values, const std::string& name, const std::string& text) {
    const int position = ColumnPosition(name);
    if (position < 0) {
        return position == -1;
    }
    auto found = values.find(position);
    if (found == values.end()) {
        values.emplace(position, text);
    } else if (!IsIntegerText(found->second) && IsIntegerText(text)) {
        found->second = text;
    }
    return true;
}

}  // namespace zorvel
