// One sampling tick: runs on every timer message and once at window creation.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/alerts.h"
#include "common/clock.h"
#include "monitor/history/history.h"
#include "monitor/stats/port_source.h"
#include "monitor/grid/view_state.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

constexpr const char* kConnectErrorText = "Could not connect to TarnelPort Driver.";
constexpr const char* kCommErrorText = "TarnelPort Driver Comm. Error.";

// What a host does once its driver is lost: a window program saves, says so
// in a box and ends; a service keeps its figures and connects again at the
// next tick.
enum class AfterLoss { Close, Reconnect };

// What a tick needs from the program that drives it (the window program or the
// service). The report runs, the settings save and the error box may run
// nested message loops in which further ticks arrive.
class SamplingHost {
public:
    virtual ~SamplingHost() = default;
    // A connect or read has failed with `text`: said at once, before anything
    // waits. A host that reconnects has let go of the driver.
    virtual AfterLoss DriverLost(const char* text) = 0;
    // For a host that closes: a modal error box; timer messages keep arriving
    // while it is open.
    virtual void ShowDriverError(const char*) {}
    // For a host that closes: ends the program through its exit sequence.
    virtual void CloseProgram() {}
    // GridRows has just changed: lay the grid out anew and redraw all of it.
    virtual void RowCountChanged(ViewState& view) = 0;
    virtual double FreeDiskBytes() = 0;
    virtual void RunHourReports(ViewState& view) = 0;
    virtual void WriteSettingsFile() = 0;
    virtual void RunDayReports(ViewState& view) = 0;
    // After every counter read, once the minute's figures are rolled over;
    // `minuteEnded` after the first read of a run and at every minute end.
    virtual void Sampled(bool minuteEnded) = 0;
    // The tick is over: show the new figures.
    virtual void Repaint(ViewState& view) = 0;
    // Where a failed save of the statistics is said.
    virtual common::Alerts& Alerts() = 0;
};

class SamplingCycle {
public:
    // `statisticsPath` is where the hour end saves the records; with a
    // `history`, each minute end adds to it and the hour end saves it to
    // `historyPath`.
    SamplingCycle(PortSource& source, PortTables& tables, common::Clock& clock, SamplingHost& host,
                  std::string statisticsPath, HistoryTables* history = nullptr, std::string historyPath = {});

    // False when the driver was lost and the program is closing; the view must
    // not be used then, the window that owned it is gone.
    bool Tick(ViewState& view);

    // True once the driver was lost by a host that closes: the settings and
    // statistics were saved then.
    bool LostDriver() const { return closing_; }

    // history.dat, as every save above the free-space floor writes it; the
    // caller has just asked the free bytes for the saves before it.
    void SaveHistory(double freeBytes);

private:
    // The state word: 123 until the first tick has run, then 1 while an hour end
    // waits for its work and 0 otherwise.
    static constexpr uint16_t kFirstTick = 123;
    static constexpr uint16_t kHourEnded = 1;
    static constexpr uint16_t kRunning = 0;

    bool Fail(const char* text);
    void StartRun();
    void FitRowCount(ViewState& view, int ports);
    uint32_t Elapsed(uint32_t now) const;
    void SamplePorts(int ports, uint32_t elapsed);
    bool CheckMinute(int ports);
    bool CloseHour(ViewState& view, int ports);
    bool CloseDay(ViewState& view, int ports);
    bool RoomForFiles(double freeBytes);

    PortSource& source_;
    PortTables& tables_;
    common::Clock& clock_;
    SamplingHost& host_;
    const std::string statisticsPath_;
    HistoryTables* history_;
    std::optional<HistoryKeeper> keeper_;
    const std::string historyPath_;

    bool connected_ = false;
    bool closing_ = false;
    bool errorBoxOpen_ = false;
    uint16_t state_ = kFirstTick;
    uint32_t previousTick_ = 0;
    uint32_t minuteTime_ = 0;
    uint16_t minute_ = 0;
    uint16_t hour_ = 0;
    uint16_t day_ = 0;
    bool dayEnded_ = false;
    bool lowDiskSaid_ = false;
};

}  // namespace zorvel
