// zorvel.ini: the sampling period, the report choices and the programs started after them.
#pragma once

#include "common/alerts.h"
#include "monitor/program_settings.h"

namespace zorvel {

constexpr const char* kSettingsFileName = "zorvel.ini";
constexpr size_t kSpawnLimit = 100;

// 0 when read, 1 when the file cannot be opened (UpdateTime then becomes 2).
int ReadSettingsFile(const char* path, ProgramSettings& settings, common::Alerts& alerts);

// 0 when written; 1 when it cannot be created or written, after saying so.
int WriteSettingsFile(const char* path, const ProgramSettings& settings, common::Alerts& alerts);

}  // namespace zorvel
