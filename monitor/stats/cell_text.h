// The text of a statistic for a port in one of the four display types.
#pragma once

#include <cstdint>
#include <string>

#include "monitor/stats/port_tables.h"

namespace zorvel {

enum DisplayType : int {
    kTypeInteger = 0,   // "%u"
    kTypeOnOff = 1,     // "On" or "Off"
    kTypeScaled = 2,    // k, M and G with three decimals
    kTypeDuration = 3,  // seconds as h:mm:ss
};

// Writes at most 13 characters to `text`; a type outside 0 to 3 leaves it as it was.
void FormatCell(uint32_t value, int type, std::string& text);

// FormatCell of StatisticValue: what a grid cell or a report shows.
void CellValue(const PortTables& tables, int input, int type, int port, std::string& text);

}  // namespace zorvel
