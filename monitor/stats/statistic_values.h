// The value each catalogue statistic shows for a port, and the reset of one.
#pragma once

#include <cstdint>

#include "monitor/stats/port_tables.h"

namespace zorvel {

// What a column whose input is outside the catalogue shows.
constexpr uint32_t kPlaceholderValue = 12345;

// Stands for every port in SetStatistic.
constexpr int kAllPorts = -1;

// Input numbers run from 1 to 56 (catalogue position + 1). 16-bit fields are
// widened; millisecond fields are shown in whole seconds.
uint32_t StatisticValue(const PortTables& tables, int input, int port);

// Stores `value` where the statistic reads from, for one port or, with kAllPorts,
// for the slots 0 to rows - 1 (a grid's rows: the ports and the slot after them).
// Signals, instantaneous rates and inputs outside the catalogue are left alone.
void SetStatistic(PortTables& tables, int rows, int input, int port, uint32_t value);

}  // namespace zorvel
