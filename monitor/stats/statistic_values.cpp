#include "monitor/stats/statistic_values.h"

#include <algorithm>

#include "monitor/stats/catalogue.h"

namespace zorvel {
namespace {

bool InCatalogue(int input) {
    return input >= 1 && input <= kCatalogueSize;
}

void SetOnePort(PortTables& tables, int input, int port, uint32_t value) {
    if (InCatalogue(input) && kStatistics[input - 1].Resettable) {
        StoreStatistic(kStatistics[input - 1], tables.Counters.Slots[port], tables.Records[port], value);
    }
}

}  // namespace

uint32_t StatisticValue(const PortTables& tables, int input, int port) {
    if (!InCatalogue(input)) {
        return kPlaceholderValue;
    }
    return ReadStatistic(kStatistics[input - 1], tables.Counters.Slots[port], tables.Records[port]);
}

void SetStatistic(PortTables& tables, int rows, int input, int port, uint32_t value) {
    if (port != kAllPorts) {
        SetOnePort(tables, input, port, value);
        return;
    }
    for (int each = 0; each < std::min(rows, kPortSlots); ++each) {
        SetOnePort(tables, input, each, value);
    }
}

}  // namespace zorvel
