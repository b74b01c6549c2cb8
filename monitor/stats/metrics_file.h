// The monitor's textfile for a monitoring system's collector: every port's
// figures in Prometheus text, replaced whole after the first counter read, at
// each minute end and at exit.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "common/alerts.h"
#include "common/whole_file.h"
#include "monitor/program_settings.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

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

// The tick only formats the text; a thread of its own writes it, since the
// flush to disk and the replace's retries may take longer than a tick may.
class MetricsPublisher {
public:
    // Writes nothing when the settings name no file.
    MetricsPublisher(const ProgramSettings& settings, const PortTables& tables, common::Alerts& alerts,
                     std::string path);
    ~MetricsPublisher();
    MetricsPublisher(const MetricsPublisher&) = delete;
    MetricsPublisher& operator=(const MetricsPublisher&) = delete;

    // After every counter read; `due` after the first and at each minute end.
    // A failed write found since the last call is told of here.
    void Sampled(int64_t unixTime, bool due);
    // At exit: the figures once more, with zorvel_up 0, written before it returns.
    void Stopped();
    // Returns once every file handed over has been written or has failed.
    void WaitIdle();

private:
    void Submit(bool up);
    void TellOutcome();
    void Run();

    const ProgramSettings& settings_;
    const PortTables& tables_;
    common::Alerts& alerts_;
    const std::string path_;
    std::optional<int64_t> lastSample_;
    // A box has told of a failure and no write has succeeded since.
    bool failureShown_ = false;

    std::mutex mutex_;
    std::condition_variable changed_;
    // Only the newest text waits: a collector wants the latest figures.
    std::optional<std::string> pending_;
    bool writing_ = false;
    bool stopping_ = false;
    std::optional<common::TextWriteOutcome> outcome_;
    std::thread writer_;
};

}  // namespace zorvel
