#include "monitor/sampling/sampling_cycle.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "common/disk_space.h"
#include "common/write_outcome.h"
#include "monitor/history/history_file.h"
#include "monitor/stats/port_sampling.h"
#include "monitor/stats/statistics_file.h"

namespace zorvel {
namespace {

// A longer gap means the machine was suspended or the timer held up; its
// characters still count, but not as a rate or as carrier time.
constexpr uint32_t kLongestTickMs = 120000;

// Days run from 05:00 to 05:00.
constexpr uint16_t kDayStartHour = 5;

}  // namespace

SamplingCycle::SamplingCycle(PortSource& source, PortTables& tables, common::Clock& clock, SamplingHost& host,
                             std::string statisticsPath, HistoryTables* history, std::string historyPath)
    : source_(source),
      tables_(tables),
      clock_(clock),
      host_(host),
      statisticsPath_(std::move(statisticsPath)),
      history_(history),
      historyPath_(std::move(historyPath)) {
    if (history_ != nullptr) {
        keeper_.emplace(*history_);
    }
}

void SamplingCycle::SaveHistory(double freeBytes) {
    if (history_ != nullptr && common::EnoughFreeSpace(freeBytes)) {
        common::ReportWriteOutcome(zorvel::SaveHistory(historyPath_, *history_), historyPath_.c_str(), host_.Alerts());
    }
}

bool SamplingCycle::Fail(const char* text) {
    if (host_.DriverLost(text) == AfterLoss::Reconnect) {
        // The records keep every figure; the next tick asks for the port list
        // anew, and its read follows the rule for counters that went down.
        connected_ = false;
        return true;
    }
    closing_ = true;
    errorBoxOpen_ = true;
    // The box waits for someone to press OK, which may be never: the figures
    // go to disk first, as at exit.
    const double freeBytes = host_.FreeDiskBytes();
    SaveStatisticsAndSettings(
        freeBytes, [this] { host_.WriteSettingsFile(); }, statisticsPath_.c_str(), tables_.Records, host_.Alerts());
    SaveHistory(freeBytes);
    host_.ShowDriverError(text);
    errorBoxOpen_ = false;
    host_.CloseProgram();
    return false;
}

bool SamplingCycle::Tick(ViewState& view) {
    // A tick arriving while an earlier tick's error box is open would only pile
    // up more boxes for the same lost driver.
    if (errorBoxOpen_ || closing_) {
        return !closing_;
    }
    if (!connected_) {
        connected_ = true;
        if (source_.Request(kRequestPortList) != kStatusOk) {
            return Fail(kConnectErrorText);
        }
    }
    if (source_.Request(kRequestCounterRead) != kStatusOk) {
        return Fail(kCommErrorText);
    }
    const bool firstRead = state_ == kFirstTick;
    if (firstRead) {
        StartRun();
    }
    const uint32_t now = clock_.TickCount();
    const int ports = CountPorts(tables_.Names);
    FitRowCount(view, ports);
    const uint32_t elapsed = Elapsed(now);
    minuteTime_ += elapsed;
    SamplePorts(ports, elapsed);
    previousTick_ = now;
    const bool minuteEnded = CheckMinute(ports);
    host_.Sampled(firstRead || minuteEnded);
    if (closing_) {
        return false;
    }
    if (!CloseHour(view, ports) || !CloseDay(view, ports)) {
        return false;
    }
    host_.Repaint(view);
    return true;
}

void SamplingCycle::StartRun() {
    state_ = kRunning;
    previousTick_ = clock_.TickCount();
    // The minute is left at 0, so the first tick ends a minute unless the clock
    // reads minute 0; the hour and day are taken so that it ends neither.
    const common::LocalTime time = clock_.Now();
    hour_ = time.Hour;
    day_ = time.Day;
}

void SamplingCycle::FitRowCount(ViewState& view, int ports) {
    if (SetRowCount(view, ports)) {
        host_.RowCountChanged(view);
    }
}

uint32_t SamplingCycle::Elapsed(uint32_t now) const {
    // An equal or smaller count means the millisecond counter wrapped.
    if (now <= previousTick_ || now - previousTick_ > kLongestTickMs) {
        return 0;
    }
    return now - previousTick_;
}

// The slot after the last port is sampled too: it is the grid's last row.
void SamplingCycle::SamplePorts(int ports, uint32_t elapsed) {
    for (int port = 0; port <= ports; ++port) {
        SamplePort(tables_.Records[port], tables_.Counters.Slots[port], elapsed);
    }
}

bool SamplingCycle::CheckMinute(int ports) {
    const common::LocalTime time = clock_.Now();
    if (time.Minute == minute_) {
        return false;
    }
    minute_ = time.Minute;
    if (keeper_) {
        keeper_->BeginMinute(clock_.UnixSeconds());
    }
    for (int port = 0; port <= ports; ++port) {
        EndMinute(tables_.Records[port], minuteTime_);
        if (keeper_ && port < std::min(ports, kHistoryPorts)) {
            keeper_->AddPort(port, tables_.Records[port]);
        }
    }
    if (keeper_) {
        keeper_->FinishMinute();
    }
    if (time.Hour != hour_) {
        hour_ = time.Hour;
        state_ = kHourEnded;
        if (time.Day != day_ && time.Hour == kDayStartHour) {
            dayEnded_ = true;
            day_ = time.Day;
        }
    }
    minuteTime_ = 0;
    return true;
}

// The flags are cleared before the work so that a tick nested in a report's
// message loop does not close the same period again. A nested tick that lost the
// driver has destroyed the window: then nothing more may be done (false).
bool SamplingCycle::CloseHour(ViewState& view, int ports) {
    if (state_ == kRunning) {
        return true;
    }
    state_ = kRunning;
    for (int port = 0; port <= ports; ++port) {
        EndHour(tables_.Records[port]);
    }
    const double freeBytes = host_.FreeDiskBytes();
    if (!RoomForFiles(freeBytes)) {
        // Its box may have let a tick in that lost the driver and closed.
        return !closing_;
    }
    host_.RunHourReports(view);
    if (closing_) {
        return false;
    }
    host_.WriteSettingsFile();
    if (closing_) {
        return false;
    }
    common::ReportWriteOutcome(SaveStatistics(statisticsPath_.c_str(), tables_.Records), statisticsPath_.c_str(),
                               host_.Alerts());
    if (closing_) {
        return false;
    }
    SaveHistory(freeBytes);
    return !closing_;
}

bool SamplingCycle::CloseDay(ViewState& view, int ports) {
    if (!dayEnded_) {
        return true;
    }
    dayEnded_ = false;
    for (int port = 0; port <= ports; ++port) {
        EndDay(tables_.Records[port]);
    }
    if (RoomForFiles(host_.FreeDiskBytes())) {
        host_.RunDayReports(view);
    }
    return !closing_;
}

// Skipping an hour's files unnoticed would let reports go missing for days; a
// disk that stays full must not repeat the box every hour, though.
bool SamplingCycle::RoomForFiles(double freeBytes) {
    if (common::EnoughFreeSpace(freeBytes)) {
        return true;
    }
    if (!lowDiskSaid_) {
        lowDiskSaid_ = true;
        char bytes[32];
        std::snprintf(bytes, sizeof bytes, "%.0f", freeBytes);
        char floor[32];
        std::snprintf(floor, sizeof floor, "%.0f", common::kMinFreeBytes);
        host_.Alerts().Alert(std::string("Only ") + bytes + " bytes are free on the drive that holds " +
                             statisticsPath_ +
                             ". Reports, zorvel.ini and calcs.dat are not written at an hour or day end until more "
                             "than " +
                             floor + " bytes are free. This is said once a run.");
    }
    return false;
}

}  // namespace zorvel
