// The monitor's textfile for a monitoring system's collector: every port's
// figures in Prometheus text, replaced whole after the first counter read, at
// each minute end and at exit.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
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
    bool DriverUp;                      // false from a failed connect or read on
    std::optional<int64_t> LastSample;  // Unix seconds of the last tick; none before the first
    uint32_t Period;                    // seconds between ticks, as the timer was set
    std::optional<int64_t> FreeDiskBytes = std::nullopt;  // of the folder's volume; none when unknown
};

// Label values are UTF-8; the board and port names come in the system's own
// code page, and this turns them into UTF-8.
using LabelEncoder = std::function<std::string(const std::string&)>;

// The file's whole text: the monitor's own gauges, then every catalogue family
// that `families` chooses for each port the driver lists. Without an encoder,
// names are taken as UTF-8.
std::string FormatMetricsFile(const PortTables& tables, const std::string& board, const MetricsMoment& moment,
                              const LabelEncoder& encode = nullptr, MetricFamilies families = MetricFamilies::All);

// `file` as it names a file from the start directory: a relative one is taken
// from there, since the current directory follows every file chooser.
// A File that Notepad saved in UTF-8 goes to the code page the system's file
// calls take through `toSystem`; one in the code page stays as it is.
std::string MetricsPath(const std::string& file, const std::string& startDirectory,
                        const LabelEncoder& toSystem = nullptr);

// The tick only formats the text; a thread of its own writes it, since the
// flush to disk and the replace's retries may take longer than a tick may.
class MetricsPublisher {
public:
    // Writes nothing when the settings name no file. `freeDiskBytes` asks
    // the free space of the folder's volume.
    MetricsPublisher(const ProgramSettings& settings, const PortTables& tables, common::Alerts& alerts,
                     std::string path, LabelEncoder encode = nullptr, std::function<double()> freeDiskBytes = nullptr);
    ~MetricsPublisher();
    MetricsPublisher(const MetricsPublisher&) = delete;
    MetricsPublisher& operator=(const MetricsPublisher&) = delete;

    // The timer's period, whenever it is set.
    void SetPeriod(uint32_t periodMs) { periodSeconds_ = periodMs / 1000; }
    // After every counter read; `due` after the first and at each minute end,
    // and written anyway after a lost driver. A failed write found since the
    // last call is told of here.
    void Sampled(int64_t unixTime, bool due);
    // A connect or read failed: said at once, before any box waits for a user.
    void DriverLost();
    // At exit: the figures once more, with zorvel_up 0, written before it
    // returns. It is the last text: nothing is written after it.
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
    const LabelEncoder encode_;
    const std::function<double()> freeDiskBytes_;
    std::optional<int64_t> lastSample_;
    uint32_t periodSeconds_;
    bool driverUp_ = true;
    bool stopped_ = false;
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
