#include "monitor/stats/cell_text.h"

#include <cstdio>

#include "monitor/stats/statistic_values.h"

namespace zorvel {
namespace {

// M already starts at 100,000, not at 1,000,000: 100000 reads " 0.100M" and
// 999999999 reads "1000.000M".
void FormatScaled(char* out, size_t size, uint32_t value) {
    if (value < 1000u) {
        std::snprintf(out, size, "%u", value);
        return;
    }
    if (value < 100000u) {
        std::snprintf(out, size, "%6.3fk", value / 1000.0);
        return;
    }
    if (value < 1000000000u) {
        std::snprintf(out, size, "%6.3fM", value / 1000000.0);
        return;
    }
    std::snprintf(out, size, "%6.3fG", value / 1000000000.0);
}

void FormatDuration(char* out, size_t size, uint32_t seconds) {
    const uint32_t minutes = seconds / 60;
    std::snprintf(out, size, "%u:%02u:%02u", minutes / 60, minutes % 60, seconds % 60);
}

}  // namespace

void FormatCell(uint32_t value, int type, std::string& text) {
    char out[16];
    switch (type) {
        case kTypeInteger: std::snprintf(out, sizeof out, "%u", value); break;
        case kTypeOnOff: text = value != 0 ? "On" : "Off"; return;
        case kTypeScaled: FormatScaled(out, sizeof out, value); break;
        case kTypeDuration: FormatDuration(out, sizeof out, value); break;
        default: return;
    }
    text = out;
}

void CellValue(const PortTables& tables, int input, int type, int port, std::string& text) {
    FormatCell(StatisticValue(tables, input, port), type, text);
}

}  // namespace zorvel
