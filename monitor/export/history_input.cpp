#include "monitor/export/history_input.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "monitor/export/local_time.h"
#include "monitor/export/statistics_input.h"
#include "monitor/history/history.h"

namespace zorvel {
namespace {

std::string IsoText(long long year, int month, int day, int hour, int minute, int second) {
    char text[40];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02d", year, month, day, hour, minute, second);
    return text;
}

std::optional<std::string> LocalText(int64_t unixSeconds) {
    const std::optional<std::tm> local = LocalTimeOf(unixSeconds);
    if (!local) {
        return std::nullopt;
    }
    return IsoText(local->tm_year + 1900LL, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min,
                   local->tm_sec);
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
    const int second = static_cast<int>(unixSeconds % 86400);
    // Days to a date in eras of 400 years, each year taken from 1 March so
    // that the leap day comes last.
    const int64_t days = unixSeconds / 86400 + 719468;
    const int64_t era = days / 146097;
    const int64_t ofEra = days - era * 146097;
    const int64_t year = (ofEra - ofEra / 1460 + ofEra / 36524 - ofEra / 146096) / 365;
    const int64_t ofYear = ofEra - (365 * year + year / 4 - year / 100);
    const int64_t fromMarch = (5 * ofYear + 2) / 153;
    const int day = static_cast<int>(ofYear - (153 * fromMarch + 2) / 5 + 1);
    const int month = static_cast<int>(fromMarch < 10 ? fromMarch + 3 : fromMarch - 9);
    return IsoText(era * 400 + year + (month <= 2 ? 1 : 0), month, day, second / 3600, second % 3600 / 60,
                   second % 60) +
           "Z";
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
