#include "monitor/service/monitor_service.h"

#include <cstring>

#include "common/disk_space.h"
#include "common/paths.h"
#include "monitor/files/settings_file.h"
#include "monitor/files/view_file.h"
#include "monitor/history/history_file.h"
#include "monitor/reports/report_runs.h"
#include "monitor/stats/catalogue.h"
#include "monitor/stats/statistics_file.h"

namespace zorvel {

// The service's side of a tick: nothing to paint, reconnect instead of ending,
// and the view's columns for reports read afresh from the folder's zorvel.vew.
class MonitorService::Host : public SamplingHost {
public:
    explicit Host(MonitorService& service) : s_(service) {}

    AfterLoss DriverLost(const char* text) override {
        s_.metrics_->DriverLost();
        s_.system_.ReleaseDriver();
        s_.status_.DriverUp = 0;
        if (!outage_) {
            outage_ = true;
            s_.system_.Log.Write(DriverLostEvent(text));
        }
        return AfterLoss::Reconnect;
    }
    void RowCountChanged(ViewState&) override {}
    double FreeDiskBytes() override { return s_.system_.FreeDiskBytes(); }
    void RunHourReports(ViewState& view) override { zorvel::RunHourReports(Reports(view), s_.settings_); }
    int Test(bool hour, const ProgramSettings& settings) {
        const ReportContext reports = Reports(s_.view_);
        return hour ? zorvel::RunHourReports(reports, settings) : zorvel::RunDayReports(reports, settings);
    }
    void WriteSettingsFile() override {
        zorvel::WriteSettingsFile(s_.File(kSettingsFileName).c_str(), s_.settings_, s_.alerts_);
    }
    void RunDayReports(ViewState& view) override { zorvel::RunDayReports(Reports(view), s_.settings_); }
    void Sampled(bool minuteEnded) override {
        const int ports = CountPorts(s_.tables_.Names);
        if (outage_) {
            outage_ = false;
            s_.system_.Log.Write(DriverBackEvent(ports));
        }
        const int64_t now = s_.system_.UnixTime();
        s_.metrics_->Sampled(now, minuteEnded);
        s_.status_.LastSample = now;
        s_.status_.DriverUp = 1;
        s_.status_.Ports = static_cast<uint32_t>(ports);
    }
    void Repaint(ViewState&) override {}
    common::Alerts& Alerts() override { return s_.alerts_; }

private:
    // A user may change the folder's view at any time; reports of the view's
    // columns take it as it is at the hour end.
    ReportContext Reports(const ViewState& view) {
        reportView_ = ViewState();
        ReadViewFile(reportView_, s_.File(kDefaultViewFile).c_str(), kCatalogueSize, s_.alerts_);
        reportView_.GridColumns = static_cast<int16_t>(reportView_.ColumnCount + 1);
        reportView_.GridRows = view.GridRows;
        return ReportContext{reportView_, s_.tables_, kCatalogueSize, s_.system_.Reports, s_.File("REPORTS")};
    }

    MonitorService& s_;
    bool outage_ = false;
    ViewState reportView_;
};

MonitorService::MonitorService(std::string folder, PortTables& tables, PortSource& source, ServiceSystem& system)
    : folder_(std::move(folder)),
      system_(system),
      tables_(tables),
      history_(CreateHistory()),
      alerts_(system.Log),
      metricsAlerts_(alerts_, system.SteadyMs),
      host_(std::make_unique<Host>(*this)),
      cycle_(std::make_unique<SamplingCycle>(source, tables_, system.Clock, *host_, File(kStatisticsFileName),
                                             history_.get(), File(kHistoryFileName))) {}

MonitorService::~MonitorService() = default;

std::string MonitorService::File(const char* name) const {
    return common::InFolder(folder_, name);
}

void MonitorService::Start() {
    LoadStatistics(File(kStatisticsFileName).c_str(), tables_.Records);
    LoadHistory(File(kHistoryFileName), File(kDamagedHistoryName), *history_, alerts_);
    ReadSettingsFile(File(kSettingsFileName).c_str(), settings_, alerts_);
    metrics_ = std::make_unique<MetricsPublisher>(settings_, tables_, metricsAlerts_,
                                                  MetricsPath(settings_.Metrics.File, folder_, system_.PathToSystem),
                                                  system_.Encode, system_.FreeDiskBytes);
    status_.PeriodMs = PeriodMs();
    cycle_->Tick(view_);
}

void MonitorService::Tick() {
    cycle_->Tick(view_);
}

void MonitorService::Reset(const ResetPlan& plan) {
    ApplyReset(tables_, view_.GridRows, plan);
}

void MonitorService::ChangeSettings(const ProgramSettings& settings) {
    settings_.UpdateTime = settings.UpdateTime;
    settings_.HourSingle = settings.HourSingle;
    settings_.HourMulti = settings.HourMulti;
    settings_.DaySingle = settings.DaySingle;
    settings_.DayMulti = settings.DayMulti;
    settings_.HourSpawn = settings.HourSpawn;
    settings_.DaySpawn = settings.DaySpawn;
    status_.PeriodMs = PeriodMs();
    metrics_->SetPeriod(status_.PeriodMs);
    // Nobody may be there to save them at an exit: they go to disk now.
    if (common::EnoughFreeSpace(system_.FreeDiskBytes())) {
        host_->WriteSettingsFile();
    }
}

int MonitorService::Test(bool hour, const ProgramSettings& settings) {
    return host_->Test(hour, settings);
}

void MonitorService::Fill(Publication& publication, bool running) const {
    publication.Status = status_;
    publication.Running = running ? 1 : 0;
    publication.Settings = PublishSettings(settings_);
    publication.Names = tables_.Names;
    publication.Counters = tables_.Counters;
    std::memcpy(publication.Records, tables_.Records, sizeof publication.Records);
}

void MonitorService::Stop() {
    const double freeBytes = system_.FreeDiskBytes();
    SaveStatisticsAndSettings(
        freeBytes, [this] { host_->WriteSettingsFile(); }, File(kStatisticsFileName).c_str(), tables_.Records, alerts_);
    cycle_->SaveHistory(freeBytes);
    metrics_->Stopped();
}

}  // namespace zorvel
