// calcs.dat as export rows: the statistics its records hold, as plain numbers.
#pragma once

#include <string>
#include <vector>

#include "monitor/export/port_rows.h"

namespace zorvel {

// calcs.dat holds no names: ports are numbered from 0, or take `names` in slot
// order (an empty name keeps the number). Without names the records after the
// last one that holds anything are left out. Statistics of the driver's live
// counter slot are not in the file and are left out too.
void ReadStatisticsInput(const std::string& path, const std::vector<std::string>* names, PortRows& rows);

// A slot's name from --names, or its number where there is none.
std::string SlotName(const std::vector<std::string>* names, int slot);

}  // namespace zorvel
