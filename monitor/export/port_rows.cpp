#include "monitor/export/port_rows.h"

#include <set>

namespace zorvel {

std::vector<int> PresentStatistics(const PortRows& rows) {
    std::set<int> present;
    for (const PortRow& row : rows.Rows) {
        for (const auto& value : row.Values) {
            present.insert(value.first);
        }
    }
    return std::vector<int>(present.begin(), present.end());
}

std::optional<std::string> CommonStamp(const PortRows& rows) {
    if (rows.Rows.empty()) {
        return std::nullopt;
    }
    const std::optional<std::string>& first = rows.Rows.front().Stamp;
    for (const PortRow& row : rows.Rows) {
        if (row.Stamp != first) {
            return std::nullopt;
        }
    }
    return first;
}

bool IsIntegerText(const std::string& text) {
    // 19 digits always fit in 64 bits; reports write 32-bit values.
    if (text.empty() || text.size() > 19) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace zorvel
