// The statistics a column can show, in catalogue order: each one's name, where
// its value is read and stored, and how it is exported as a metric family.
// Input numbers run from 1 (catalogue position + 1).
#pragma once

#include <cstdint>
#include <string>

#include "monitor/stats/port_tables.h"

namespace zorvel {

enum class MetricType { Gauge, Counter };

// Where a port's value of a statistic lives: a field of its statistics
// record, a field of the driver's live counter slot, a modem signal bit of the
// slot's status, or the sum of the three error counts.
struct ValueSource {
    enum class Kind : uint8_t { Record32, Record16, Slot32, Slot16, Signal, ErrorSum };
    Kind Where = Kind::ErrorSum;
    uint32_t StatsRecord::*Record32 = nullptr;
    uint16_t StatsRecord::*Record16 = nullptr;
    uint32_t CounterSlot::*Slot32 = nullptr;
    uint16_t CounterSlot::*Slot16 = nullptr;
    uint16_t Bit = 0;
};

struct Statistic {
    const char* Name;  // as columns, view files and reports name it; "CD " keeps its blank
    ValueSource Source;
    uint32_t Divisor;  // 1000 where a millisecond field is shown in seconds
    bool Resettable;   // signals and instantaneous rates are never stored into
    const char* Metric;  // lint-clean: snake case, base units, "_total" on counters only
    MetricType Type;
    const char* Help;  // follows "<Name>: "
};

// Ends with an entry whose name is null.
extern const Statistic kStatistics[];
constexpr int kCatalogueSize = 56;

// Walks the names to the end marker; counted once at start-up.
int CountStatistics();

// The catalogue position of a statistic name, matched exactly ("CD " with its
// blank), or -1.
int StatisticPosition(const std::string& name);

// The value shown: 16-bit fields widened, milliseconds divided where the
// statistic says so.
uint32_t ReadStatistic(const Statistic& statistic, const CounterSlot& slot, const StatsRecord& record);

// Stores `value` where the statistic reads from (the low 16 bits into a 16-bit
// field, the raw value into a millisecond one); the error sum clears its three
// counts. Only for resettable statistics.
void StoreStatistic(const Statistic& statistic, CounterSlot& slot, StatsRecord& record, uint32_t value);

// Read from the driver's live counter slot, which calcs.dat does not hold.
bool ReadsLiveSlot(const Statistic& statistic);

// A running counter, a raw count of the live slot or a modem signal: the
// figures every other one is worked out from over time, which a monitoring
// system does itself.
bool IsCountOrSignal(const Statistic& statistic);

}  // namespace zorvel
