#include "monitor/history/history_file.h"

#include <cstdio>
#include <cstring>

namespace zorvel {

HistoryLoad LoadHistory(const std::string& path, const std::string& damagedPath, HistoryTables& history,
                        common::Alerts& alerts) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return HistoryLoad::Missing;
    }
    const size_t read = std::fread(&history, 1, sizeof history, file);
    // One byte more than the layout holds is a file of another size.
    char more = 0;
    const bool longer = std::fread(&more, 1, 1, file) == 1;
    std::fclose(file);
    if (read == sizeof history && !longer && HistoryHeaderFits(history.Header)) {
        return HistoryLoad::Loaded;
    }
    std::memcpy(&history, CreateHistory().get(), sizeof history);
    std::remove(damagedPath.c_str());
    const bool kept = std::rename(path.c_str(), damagedPath.c_str()) == 0;
    alerts.Alert("The history file " + path + " is damaged; " +
                 (kept ? "it was kept as " + damagedPath + " and " : std::string()) + "the history starts empty.");
    return HistoryLoad::Damaged;
}

common::WriteResult SaveHistory(const std::string& path, const HistoryTables& history) {
    return common::ReplaceWholeFile(path, [&history](std::FILE* out) {
        return std::fwrite(&history, 1, sizeof history, out) == sizeof history;
    });
}

}  // namespace zorvel
