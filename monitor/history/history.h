// A port's traffic over time: per port position, a minute's figures for the
// last 24 hours and an hour's for the last 35 days, kept across restarts in
// history.dat. Buckets are keyed by UTC, which no daylight-saving change moves;
// they are shown in local time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "monitor/stats/port_tables.h"

namespace zorvel {

constexpr int kHistoryPorts = kMaxPorts;
constexpr int kMinuteBuckets = 24 * 60;
constexpr int kHourBuckets = 35 * 24;

enum BucketFlags : uint16_t {
    kBucketSampled = 1,  // the port was listed when the bucket closed
    kBucketCarrier = 2,  // carrier detect was on in some tick of it
};

struct MinuteBucket {
    uint32_t Tx;
    uint32_t Rx;
    uint16_t Errors;  // overrun, framing and parity together; stops at 65,535
    uint16_t Flags;
};
static_assert(sizeof(MinuteBucket) == 12, "history.dat layout");

struct HourBucket {
    uint32_t Tx;
    uint32_t Rx;
    uint32_t Errors;
    uint32_t Flags;
};
static_assert(sizeof(HourBucket) == 16, "history.dat layout");

constexpr char kHistoryTag[8] = {'Z', 'O', 'R', 'V', 'H', 'I', 'S', 'T'};
constexpr uint32_t kHistoryVersion = 1;

struct HistoryHeader {
    char Tag[8];
    uint32_t Version;
    uint32_t HeaderSize;
    uint32_t Ports;
    uint32_t MinuteCount;
    uint32_t HourCount;
    uint32_t MinuteBucketSize;
    uint32_t HourBucketSize;
    uint32_t LastMinute;  // the newest minute stored, in UTC minutes since 1970; 0 for none
};
static_assert(sizeof(HistoryHeader) == 40, "history.dat layout");

// history.dat is exactly this. A stamp is the UTC minute (or hour) since 1970
// that its row of buckets holds; a row whose stamp is not the one its place
// stands for holds no data.
struct HistoryTables {
    HistoryHeader Header;
    uint32_t MinuteStamps[kMinuteBuckets];
    MinuteBucket Minutes[kMinuteBuckets][kHistoryPorts];
    uint32_t HourStamps[kHourBuckets];
    HourBucket Hours[kHourBuckets][kHistoryPorts];
};
static_assert(offsetof(HistoryTables, Minutes) == 40 + 4 * kMinuteBuckets, "history.dat layout");
static_assert(sizeof(HistoryTables) == 40 + 4 * kMinuteBuckets + 12 * kMinuteBuckets * kHistoryPorts +
                                           4 * kHourBuckets + 16 * kHourBuckets * kHistoryPorts,
              "history.dat layout");

// A fresh, empty history with its header filled in.
std::unique_ptr<HistoryTables> CreateHistory();

// True when the header is this program's: tag, version and every size.
bool HistoryHeaderFits(const HistoryHeader& header);

// Keeps the history from the sampling cycle's minute ends.
class HistoryKeeper {
public:
    explicit HistoryKeeper(HistoryTables& history) : history_(history) {}

    // At a minute end at `unixTime`, after the records' minute figures are
    // closed: the minute before into its bucket, for the `ports` listed; with
    // its last minute, or when a minute of a later hour comes first (a run
    // that missed it), the hour is summed from its minutes. The first minute end of a run only takes the error and
    // carrier baselines: its counts hold all the time no program sampled, which belongs to no minute.
    void EndMinute(const PortTables& tables, int ports, int64_t unixTime);

    // The same in three steps, so that the sampling cycle adds each port in the
    // pass over the ports it makes anyway.
    void BeginMinute(int64_t unixTime);
    void AddPort(int port, const StatsRecord& record) {
        // Each count on its own: one that wraps must not take the others' down with it.
        const uint32_t added = Added(record.OverrunErrors, overrun_[port]) +
                               Added(record.FramingErrors, framing_[port]) + Added(record.ParityErrors, parity_[port]);
        const bool carrier = record.CDRunTime != carrierMs_[port] || (record.StatusFlags & kStatusCd) != 0;
        carrierMs_[port] = record.CDRunTime;
        if (row_ == nullptr) {
            return;
        }
        MinuteBucket& bucket = row_[port];
        bucket.Tx += record.TxMinCnt;
        bucket.Rx += record.RxMinCnt;
        const uint32_t sum = bucket.Errors + added;
        bucket.Errors = static_cast<uint16_t>(sum < 0xFFFFu ? sum : 0xFFFFu);
        bucket.Flags = static_cast<uint16_t>(bucket.Flags | kBucketSampled | (carrier ? kBucketCarrier : 0));
    }
    // After the ports: a minute that ends its hour sums the hour at once.
    void FinishMinute();

private:
    // A count that went down was reset or wrapped: what it holds now is new.
    static uint32_t Added(uint16_t now, uint16_t& before) {
        const uint32_t added = now >= before ? now - before : now;
        before = now;
        return added;
    }
    void CloseHour(uint32_t hour);

    HistoryTables& history_;
    bool started_ = false;
    // The bucket row of the minute being closed; none at a run's first minute end.
    MinuteBucket* row_ = nullptr;
    uint32_t summedHour_ = 0;  // summed already, not again when the next hour begins
    uint16_t overrun_[kHistoryPorts] = {};
    uint16_t framing_[kHistoryPorts] = {};
    uint16_t parity_[kHistoryPorts] = {};
    uint32_t carrierMs_[kHistoryPorts] = {};
};

}  // namespace zorvel
