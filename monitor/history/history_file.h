// history.dat: the history's bytes, nothing more, beside calcs.dat.
#pragma once

#include <string>

#include "common/alerts.h"
#include "common/whole_file.h"
#include "monitor/history/history.h"

namespace zorvel {

constexpr const char* kHistoryFileName = "history.dat";
constexpr const char* kDamagedHistoryName = "history.bad";

enum class HistoryLoad { Loaded, Missing, Damaged };

// Reads `path` into `history`. A missing file is no error and leaves it empty;
// a damaged one (another tag, version or size) is kept as `damagedPath`, said
// through `alerts`, and the history starts empty.
HistoryLoad LoadHistory(const std::string& path, const std::string& damagedPath, HistoryTables& history,
                        common::Alerts& alerts);

// Through the whole-file replace: a failed save leaves the previous file.
common::WriteResult SaveHistory(const std::string& path, const HistoryTables& history);

}  // namespace zorvel
