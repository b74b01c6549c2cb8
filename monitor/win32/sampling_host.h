#pragma once

#include "monitor/sampling/sampling_cycle.h"

namespace zorvel {

// The main window's side of a sampling tick.
class WindowSamplingHost : public SamplingHost {
public:
    AfterLoss DriverLost(const char* text) override;
    void ShowDriverError(const char* text) override;
    void CloseProgram() override;
    void RowCountChanged(ViewState& view) override;
    double FreeDiskBytes() override;
    void RunHourReports(ViewState& view) override;
    void WriteSettingsFile() override;
    void RunDayReports(ViewState& view) override;
    void Sampled(bool minuteEnded) override;
    void Repaint(ViewState& view) override;
    common::Alerts& Alerts() override;
};

}  // namespace zorvel
