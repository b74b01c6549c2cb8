#include "monitor/stats/statistics_file.h"

#include <cstdio>

#include "common/disk_space.h"
#include "common/write_outcome.h"


namespace zorvel {

void LoadStatistics(const char* path, StatsRecord* records) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return;
    }
    std::fread(records, 1, kStatisticsFileSize, file);
    std::fclose(file);
}

common::WriteResult SaveStatistics(const char* path, const StatsRecord* records) {
    return common::ReplaceWholeFile(path, [records](std::FILE* out) {
        return std::fwrite(records, 1, kStatisticsFileSize, out) == kStatisticsFileSize;
    });
}

void SaveStatisticsAndSettings(double freeBytes, const std::function<void()>& writeSettings,
                               const char* statisticsPath, const StatsRecord* records, common::Alerts& alerts) {
    common::ReportWriteOutcome(SaveStatistics(statisticsPath, records), statisticsPath, alerts);
    if (common::EnoughFreeSpace(freeBytes)) {
        writeSettings();
    }
}

}  // namespace zorvel
