// calcs.dat: the statistics records' memory image, nothing more.
#pragma once

#include "monitor/stats/port_tables.h"

namespace zorvel {

constexpr const char* kStatisticsFileName = "calcs.dat";
constexpr size_t kStatisticsFileSize = sizeof(StatsRecord) * kPortSlots;
static_assert(kStatisticsFileSize == 29120, "calcs.dat holds 130 records");

// Fills the records from the file's start; a missing or short file leaves the rest
// as it was (zero at start-up), bytes past the 130th record are not read.
void LoadStatistics(const char* path, StatsRecord* records);

// Replaces the file with all 130 records; false when it could not be written, in
// which case the previous file is untouched.
bool SaveStatistics(const char* path, const StatsRecord* records);

}  // namespace zorvel
