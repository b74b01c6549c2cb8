// The monitor's one settings record, read from and written to zorvel.ini.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "common/window_placement.h"

namespace zorvel {

// The most of a board name that zorvel.ini's [metrics] section keeps.
constexpr size_t kBoardLimit = 63;

// Which families the metrics file carries: every statistic, or only the
// running counters, the live slot's raw counts and the modem signals, from
// which a monitoring system works out the periods' figures and rates itself.
enum class MetricFamilies { All, Counters };

// The optional [metrics] section: where the monitor writes its figures for a
// monitoring system, and the board label they carry.
struct MetricsSettings {
    bool Present = false;                    // the file has the section, so a save writes it back
    std::string File;                        // no file, no writing
    std::string Board;                       // empty: no board label
    std::optional<MetricFamilies> Families;  // none: no Families key, all written
};

// The optional [graph] section: where the graph windows open and which range
// they show. Written only once a graph has been used, so that a file without
// it is saved as it was.
struct GraphSettings {
    bool Present = false;
    common::WindowRectangle Window = {};
    int Range = 2;  // 1 an hour, 2 a day, 3 a week, 4 35 days
};

struct ProgramSettings {
    int UpdateTime = 2;  // seconds between samples
    int HourSingle = 0;  // report choices 0 to 3
    int HourMulti = 0;
    int DaySingle = 0;
    int DayMulti = 0;
    std::string HourSpawn;
    std::string DaySpawn;
    MetricsSettings Metrics;
    GraphSettings Graph;
};

// The timer period for UpdateTime: 0 or less samples every second, and a period
// too long for the timer is cut to the longest it takes.
uint32_t SampleIntervalMs(int updateTime);

}  // namespace zorvel
