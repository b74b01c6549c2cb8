// How each catalogue statistic is exported as a metric family.
#pragma once

namespace zorvel {

enum class MetricType { Gauge, Counter };

struct MetricInfo {
    const char* Statistic;  // the catalogue name, as reports write it
    const char* Metric;     // lint-clean: snake case, base units, "_total" on counters only
    MetricType Type;
    // Read from the driver's live counter slot, which calcs.dat does not hold.
    bool LiveSlot;
    const char* Help;  // follows "<Statistic>: "
};

// In catalogue order, one entry per statistic.
extern const MetricInfo kMetrics[];
extern const int kMetricCount;

}  // namespace zorvel
