// The monitor's textfile for a monitoring system's collector: every port's
// figures in Prometheus text, replaced whole after the first counter read, at
// each minute end and at exit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/alerts.h"
#include "monitor/program_settings.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

constexpr size_t kBoardLimit = 63;

struct MetricsMoment {
    bool Up;                            // false in the file written at exit
    std::optional<int64_t> LastSample;  // Unix seconds of the last tick; none before the first
    int Period;                         // UpdateTime
};

// The file's whole text: the monitor's own gauges, then every catalogue family
// for each port the driver lists.
std::string FormatMetricsFile(const PortTables& tables, const std::string& board, const MetricsMoment& moment);

// `file` as it names a file from the start directory: a relative one is taken
// from there, since the current directory follows every file chooser.
std::string MetricsPath(const std::string& file, const std::string& startDirectory);

class MetricsPublisher {
public:
    // Writes nothing when the settings name no file.
    MetricsPublisher(const ProgramSettings& settings, const PortTables& tables, common::Alerts& alerts,
                     std::string path);

    // After every counter read; `due` after the first and at each minute end.
    void Sampled(int64_t unixTime, bool due);
    // At exit: the figures once more, with zorvel_up 0.
    void Stopped();

private:
    void Write(bool up);

    const ProgramSettings& settings_;
    const PortTables& tables_;
    common::Alerts& alerts_;
    const std::string path_;
    std::optional<int64_t> lastSample_;
    // A box has told of a failure and no write has succeeded since.
    bool failureShown_ = false;
};

}  // namespace zorvel
