#include "monitor/history/history.h"

#include <algorithm>
#include <cstring>

namespace zorvel {
namespace {

template <typename Bucket>
void ClearRow(Bucket (&row)[kHistoryPorts]) {
    std::memset(row, 0, sizeof row);
}

}  // namespace

std::unique_ptr<HistoryTables> CreateHistory() {
    auto history = std::make_unique<HistoryTables>();
    std::memset(history.get(), 0, sizeof *history);
    HistoryHeader& header = history->Header;
    std::memcpy(header.Tag, kHistoryTag, sizeof header.Tag);
    header.Version = kHistoryVersion;
    header.HeaderSize = sizeof(HistoryHeader);
    header.Ports = kHistoryPorts;
    header.MinuteCount = kMinuteBuckets;
    header.HourCount = kHourBuckets;
    header.MinuteBucketSize = sizeof(MinuteBucket);
    header.HourBucketSize = sizeof(HourBucket);
    return history;
}

bool HistoryHeaderFits(const HistoryHeader& header) {
    return std::memcmp(header.Tag, kHistoryTag, sizeof header.Tag) == 0 && header.Version == kHistoryVersion &&
           header.HeaderSize == sizeof(HistoryHeader) && header.Ports == kHistoryPorts &&
           header.MinuteCount == kMinuteBuckets && header.HourCount == kHourBuckets &&
           header.MinuteBucketSize == sizeof(MinuteBucket) && header.HourBucketSize == sizeof(HourBucket);
}

void HistoryKeeper::EndMinute(const PortTables& tables, int ports, int64_t unixTime) {
    BeginMinute(unixTime);
    const int listed = std::min(ports, kHistoryPorts);
    for (int port = 0; port < listed; ++port) {
        AddPort(port, tables.Records[port]);
    }
    FinishMinute();
}

void HistoryKeeper::FinishMinute() {
    const uint32_t last = history_.Header.LastMinute;
    if (row_ != nullptr && last % 60 == 59) {
        CloseHour(last / 60);
    }
}

void HistoryKeeper::BeginMinute(int64_t unixTime) {
    const bool first = !started_;
    started_ = true;
    row_ = nullptr;
    // The minute just closed. A clock set back would close one that is stored
    // already: its figures go into the newest bucket instead, so that nothing
    // is counted twice or written over.
    const int64_t closed = unixTime / 60 - 1;
    const uint32_t last = history_.Header.LastMinute;
    const uint32_t minute = std::max(closed > 0 ? static_cast<uint32_t>(closed) : 1u, last);
    if (last != 0 && minute / 60 != last / 60 && last / 60 != summedHour_) {
        CloseHour(last / 60);
    }
    if (first) {
        return;
    }
    const int at = static_cast<int>(minute % kMinuteBuckets);
    if (history_.MinuteStamps[at] != minute) {
        history_.MinuteStamps[at] = minute;
        ClearRow(history_.Minutes[at]);
    }
    history_.Header.LastMinute = minute;
    row_ = history_.Minutes[at];
}

// The minutes of the hour that are stored, whichever program sampled them.
void HistoryKeeper::CloseHour(uint32_t hour) {
    summedHour_ = hour;
    const int at = static_cast<int>(hour % kHourBuckets);
    history_.HourStamps[at] = hour;
    HourBucket* sums = history_.Hours[at];
    ClearRow(history_.Hours[at]);
    for (uint32_t minute = hour * 60; minute < hour * 60 + 60; ++minute) {
        const int from = static_cast<int>(minute % kMinuteBuckets);
        if (history_.MinuteStamps[from] != minute) {
            continue;
        }
        for (int port = 0; port < kHistoryPorts; ++port) {
            const MinuteBucket& bucket = history_.Minutes[from][port];
            sums[port].Tx += bucket.Tx;
            sums[port].Rx += bucket.Rx;
            sums[port].Errors += bucket.Errors;
            sums[port].Flags |= bucket.Flags;
        }
    }
}

}  // namespace zorvel
