#include "monitor/stats/statistics_file.h"

#include <cstdio>

#include "common/whole_file.h"

namespace zorvel {

void LoadStatistics(const char* path, StatsRecord* records) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return;
    }
    std::fread(records, 1, kStatisticsFileSize, file);
    std::fclose(file);
}

bool SaveStatistics(const char* path, const StatsRecord* records) {
    return common::ReplaceWholeFile(path, [records](std::FILE* out) {
               return std::fwrite(records, 1, kStatisticsFileSize, out) == kStatisticsFileSize;
           }) == common::WriteResult::Ok;
}

}  // namespace zorvel
