// calcs.dat: the statistics records' memory image, nothing more.
#pragma once

#include <functional>

#include "common/alerts.h"
#include "common/whole_file.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

constexpr const char* kStatisticsFileName = "calcs.dat";
constexpr size_t kStatisticsFileSize = sizeof(StatsRecord) * kPortSlots;
static_assert(kStatisticsFileSize == 29120, "calcs.dat holds 130 records");

// Fills the records from the file's start; a missing or short file leaves the rest
// as it was (zero at start-up), bytes past the 130th record are not read.
void LoadStatistics(const char* path, StatsRecord* records);

// Replaces the file with all 130 records; on any failure the previous file is
// untouched.
common::WriteResult SaveStatistics(const char* path, const StatsRecord* records);

// The saves of a monitor that ends: at exit, at the session's end, or when it
// loses its driver, in order of value, since the system or a user may end the
// process at any moment. The statistics whenever they fit, since they are the
// session's figures and a failed save leaves the previous file whole; the
// settings, like every other write, only above the free-space floor. A save
// that fails is said through `alerts`, naming its file.
void SaveStatisticsAndSettings(double freeBytes, const std::function<void()>& writeSettings,
                               const char* statisticsPath, const StatsRecord* records, common::Alerts& alerts);

}  // namespace zorvel
