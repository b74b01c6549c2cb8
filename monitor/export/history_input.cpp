#include "monitor/export/history_input.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "common/civil_time.h"
#include "monitor/export/local_time.h"
#include "monitor/export/statistics_input.h"
#include "monitor/history/history.h"

namespace zorvel {
namespace {

std::string IsoText(const common::LocalTime& time) {
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u", time.Year, time.Month, time.Day, time.Hour,
                  time.Minute, time.Second);
    return text;
}

std::optional<std::string> LocalText(int64_t unixSeconds) {
    const std::optional<common::LocalTime> local = PlatformLocalTime(unixSeconds);
    if (!local) {
        return std::nullopt;
    }
    return IsoText(*local);
}

template <typename Bucket, int Places>
void AddBuckets(const uint32_t (&stamps)[Places], const Bucket (&buckets)[Places][kHistoryPorts], int64_t newest,
                int seconds, const char* kind, const std::vector<std::string>* names, PortRows& rows) {
    const int ports =
        names != nullptr ? static_cast<int>(std::min<size_t>(names->size(), kHistoryPorts)) : kHistoryPorts;
    for (int64_t stamp = std::max<int64_t>(0, newest - Places + 1); stamp <= newest; ++stamp) {
        const int at = static_cast<int>(stamp % Places);
        if (stamps[at] != stamp) {
            continue;
        }
        const std::string start = UtcText(stamp * seconds);
        const std::optional<std::string> localStart = LocalText(stamp * seconds);
        for (int port = 0; port < ports; ++port) {
            const Bucket& bucket = buckets[at][port];
            if ((bucket.Flags & kBucketSampled) != 0) {
                rows.History.push_back({SlotName(names, port), kind, start, localStart, bucket.Tx, bucket.Rx,
                                        bucket.Errors, (bucket.Flags & kBucketCarrier) != 0});
            }
        }
    }
}

}  // namespace

bool LooksLikeHistory(const std::string& bytes) {
    return bytes.size() == sizeof(HistoryTables) ||
           bytes.compare(0, sizeof kHistoryTag, kHistoryTag, sizeof kHistoryTag) == 0;
}

// Not gmtime: the Windows runtime's stops at 3000, and a stamp may stand for
// any minute up to the year 10136.
std::string UtcText(int64_t unixSeconds) {
    return IsoText(common::CivilTimeOf(unixSeconds)) + "Z";
}

void ReadHistoryInput(const std::string& bytes, const std::string& path, const std::vector<std::string>* names,
                      PortRows& rows, Diagnostics& diagnostics) {
    rows.Histories.push_back(path);
    if (bytes.size() != sizeof(HistoryTables)) {
        diagnostics.Fail(path + ": " + std::to_string(bytes.size()) + " bytes, history.dat holds " +
                         std::to_string(sizeof(HistoryTables)) + ": truncated or damaged");
        return;
    }
    auto history = std::make_unique<HistoryTables>();
    std::memcpy(history.get(), bytes.data(), sizeof(HistoryTables));
    const HistoryHeader& header = history->Header;
    if (std::memcmp(header.Tag, kHistoryTag, sizeof kHistoryTag) == 0 && header.Version != kHistoryVersion) {
        diagnostics.Fail(path + ": history.dat of version " + std::to_string(header.Version) +
                         ", this export reads version " + std::to_string(kHistoryVersion));
        return;
    }
    if (!HistoryHeaderFits(header)) {
        diagnostics.Fail(path + ": the size of history.dat but not its header: damaged");
        return;
    }
    if (header.LastMinute == 0) {
        return;  // nothing stored yet
    }
    AddBuckets(history->MinuteStamps, history->Minutes, header.LastMinute, 60, "minute", names, rows);
    AddBuckets(history->HourStamps, history->Hours, header.LastMinute / 60, 3600, "hour", names, rows);
}

}  // namespace zorvel
