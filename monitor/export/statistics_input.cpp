#include "monitor/export/statistics_input.h"

#include <algorithm>
#include <cstring>

#include "monitor/stats/catalogue.h"
#include "monitor/stats/statistic_values.h"
#include "monitor/stats/statistics_file.h"

namespace zorvel {
namespace {

bool HoldsAnything(const StatsRecord& record) {
    static const StatsRecord kEmpty{};
    return std::memcmp(&record, &kEmpty, sizeof record) != 0;
}

}  // namespace

void ReadStatisticsInput(const std::string& path, const std::vector<std::string>* names, PortRows& rows) {
    auto tables = CreatePortTables();
    LoadStatistics(path.c_str(), tables->Records);
    int ports = 0;
    if (names != nullptr) {
        ports = static_cast<int>(std::min(names->size(), static_cast<size_t>(kPortSlots)));
    } else {
        for (int slot = 0; slot < kPortSlots; ++slot) {
            if (HoldsAnything(tables->Records[slot])) {
                ports = slot + 1;
            }
        }
    }
    for (int port = 0; port < ports; ++port) {
        PortRow row;
        row.Name = SlotName(names, port);
        for (int s = 0; s < kCatalogueSize; ++s) {
            if (!ReadsLiveSlot(kStatistics[s])) {
                row.Values.emplace(s, std::to_string(StatisticValue(*tables, s + 1, port)));
            }
        }
        rows.Rows.push_back(row);
    }
}

std::string SlotName(const std::vector<std::string>* names, int slot) {
    return names != nullptr && !(*names)[slot].empty() ? (*names)[slot] : std::to_string(slot);
}

}  // namespace zorvel
