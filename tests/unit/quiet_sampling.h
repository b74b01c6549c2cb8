// A clock the caller sets and a host that shows nothing: the sampling cycle run
// for its sums alone. With no free space the hour end writes nothing.
#pragma once

#include <string>

#include "common/alerts.h"
#include "common/clock.h"
#include "monitor/sampling/sampling_cycle.h"

struct SetClock : common::Clock {
    int64_t Unix = 1800000000;
    uint32_t Ms = 0;
    common::LocalTime Time = {2024, 3, 10, 12, 0, 0};
    uint32_t TickCount() override { return Ms; }
    common::LocalTime Now() override { return Time; }
    int64_t UnixSeconds() override { return Unix; }
};

struct QuietAlerts : common::Alerts {
    void Alert(const std::string&) override {}
};

struct QuietHost : zorvel::SamplingHost {
    zorvel::AfterLoss DriverLost(const char*) override { return zorvel::AfterLoss::Close; }
    void RowCountChanged(zorvel::ViewState&) override {}
    double FreeDiskBytes() override { return 0; }
    void RunHourReports(zorvel::ViewState&) override {}
    void WriteSettingsFile() override {}
    void RunDayReports(zorvel::ViewState&) override {}
    void Sampled(bool) override {}
    void Repaint(zorvel::ViewState&) override {}
    common::Alerts& Alerts() override { return alerts; }
    QuietAlerts alerts;
};
