#include "monitor/stats/port_tables.h"

#include <cstring>

namespace zorvel {

std::unique_ptr<PortTables> CreatePortTables() {
    // Value-initialisation zero-fills every table, headers included.
    return std::make_unique<PortTables>();
}

std::string PortName(const NameSlot& slot) {
    size_t n = 0;
    while (n < static_cast<size_t>(kPortNameLength) && slot.Name[n] != '\0') {
        ++n;
    }
    return std::string(slot.Name, n);
}

int CountPorts(const PortNameTable& names) {
    int count = 0;
    while (count < kMaxPorts && names.Slots[count].Name[0] != '\0') {
        ++count;
    }
    return count;
}

}  // namespace zorvel
