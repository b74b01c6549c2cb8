// The monitor as a service: the window program's own sampling cycle, files,
// reports and metrics file for one folder, driven by the service's loop
// instead of a window's timer, with the event log in place of boxes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/alerts.h"
#include "common/clock.h"
#include "common/hourly_alerts.h"
#include "monitor/grid/hit_commands.h"
#include "monitor/history/history.h"
#include "monitor/grid/view_state.h"
#include "monitor/program_settings.h"
#include "monitor/reports/report_writer.h"
#include "monitor/sampling/sampling_cycle.h"
#include "monitor/service/service_events.h"
#include "monitor/service/service_status.h"
#include "monitor/stats/metrics_file.h"
#include "monitor/stats/port_source.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

// What the service takes from the system besides its port source.
struct ServiceSystem {
    common::Clock& Clock;
    ServiceLog& Log;
    // Stamps, free space and the starting of HourSpawn and DaySpawn; logs
    // what cannot be written or started.
    ReportEnvironment& Reports;
    std::function<double()> FreeDiskBytes;  // of the folder's volume
    std::function<int64_t()> UnixTime;
    std::function<uint64_t()> SteadyMs;
    LabelEncoder Encode;
    LabelEncoder PathToSystem;  // from UTF-8, for the metrics file's path
    // Lets go of the driver, so that the next tick opens it anew.
    std::function<void()> ReleaseDriver;
};

class MonitorService {
public:
    // `source` fills `tables`, which the service keeps its figures in.
    MonitorService(std::string folder, PortTables& tables, PortSource& source, ServiceSystem& system);
    ~MonitorService();
    MonitorService(const MonitorService&) = delete;
    MonitorService& operator=(const MonitorService&) = delete;

    // Loads calcs.dat and zorvel.ini, as the window program does at its start,
    // and runs the first tick.
    void Start();
    void Tick();
    // What the loop waits between ticks: UpdateTime, as the window's timer takes it.
    uint32_t PeriodMs() const { return SampleIntervalMs(settings_.UpdateTime); }
    // The saves of a monitor that ends, and the metrics file's last text.
    void Stop();

    // What a window that shows the service's figures asks for.
    void Reset(const ResetPlan& plan);
    // UpdateTime, the report choices and the two command lines, saved at once.
    void ChangeSettings(const ProgramSettings& settings);
    // The hour's or the day's reports and program now, with `settings` as the
    // dialog holds them; the reports' status.
    int Test(bool hour, const ProgramSettings& settings);

    const ServiceStatus& Status() const { return status_; }
    const HistoryTables& History() const { return *history_; }
    // The service's state, settings and tables into a published block's data.
    void Fill(Publication& publication, bool running) const;

private:
    class Host;
    class LogAlerts : public common::Alerts {
    public:
        explicit LogAlerts(ServiceLog& log) : log_(log) {}
        void Alert(const std::string& text) override { log_.Write(MakeEvent(EventKind::FileProblem, text)); }

    private:
        ServiceLog& log_;
    };

    std::string File(const char* name) const;

    const std::string folder_;
    ServiceSystem& system_;
    ProgramSettings settings_;
    PortTables& tables_;
    std::unique_ptr<HistoryTables> history_;
    ViewState view_;
    LogAlerts alerts_;
    common::HourlyAlerts metricsAlerts_;
    std::unique_ptr<MetricsPublisher> metrics_;
    std::unique_ptr<Host> host_;
    std::unique_ptr<SamplingCycle> cycle_;
    ServiceStatus status_ = {};
};

}  // namespace zorvel
