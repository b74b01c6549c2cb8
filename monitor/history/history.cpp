#include "monitor/history/history.h"

#include <algorithm>
#include <cstring>

namespace zorvel {
namespace {

template <typename Bucket>
void ClearRow(Bucket (&row)[kHistoryPorts]) {
    std::memset(row, 0, sizeof row);
}

uint16_t Grown(uint16_t now, uint16_t before) {
    return static_cast<uint16_t>(now > before ? now - before : 0);
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
    const int listed = std::min(ports, kHistoryPorts);
    const bool first = !started_;
    started_ = true;
    // The minute just closed. A clock set back would close one that is stored
    // already: its figures go into the newest bucket instead, so that nothing
    // is counted twice or written over.
    const int64_t closed = unixTime / 60 - 1;
    uint32_t minute = closed > 0 ? static_cast<uint32_t>(closed) : 1;
    minute = std::max(minute, history_.Header.LastMinute);
    const int minuteAt = static_cast<int>(minute % kMinuteBuckets);
    const uint32_t hour = minute / 60;
    const int hourAt = static_cast<int>(hour % kHourBuckets);
    if (!first) {
        if (history_.MinuteStamps[minuteAt] != minute) {
            history_.MinuteStamps[minuteAt] = minute;
            ClearRow(history_.Minutes[minuteAt]);
        }
        if (history_.HourStamps[hourAt] != hour) {
            history_.HourStamps[hourAt] = hour;
            ClearRow(history_.Hours[hourAt]);
        }
        history_.Header.LastMinute = minute;
    }
    for (int port = 0; port < listed; ++port) {
        const StatsRecord& record = tables.Records[port];
        const uint16_t errors = static_cast<uint16_t>(
            Grown(record.OverrunErrors, errors_[port][0]) + Grown(record.FramingErrors, errors_[port][1]) +
            Grown(record.ParityErrors, errors_[port][2]));
        const bool carrier = record.CDRunTime != carrierMs_[port] || (record.StatusFlags & kStatusCd) != 0;
        errors_[port][0] = record.OverrunErrors;
        errors_[port][1] = record.FramingErrors;
        errors_[port][2] = record.ParityErrors;
        carrierMs_[port] = record.CDRunTime;
        if (first) {
            continue;
        }
        const uint16_t flags = static_cast<uint16_t>(kBucketSampled | (carrier ? kBucketCarrier : 0));
        MinuteBucket& m = history_.Minutes[minuteAt][port];
        m.Tx += record.TxMinCnt;
        m.Rx += record.RxMinCnt;
        m.Errors = static_cast<uint16_t>(std::min<uint32_t>(0xFFFFu, m.Errors + errors));
        m.Flags |= flags;
        HourBucket& h = history_.Hours[hourAt][port];
        h.Tx += record.TxMinCnt;
        h.Rx += record.RxMinCnt;
        h.Errors += errors;
        h.Flags |= flags;
    }
}

}  // namespace zorvel
