// write_sample_history: a day of the simulated source's traffic, sampled every
// two seconds by the monitor's own sampling cycle on a clock that runs as fast
// as it can, left as history.dat and calcs.dat in the current folder, for the
// guide's picture of a graph.
#include <ctime>
#include <memory>

#include "common/clock.h"
#include "monitor/driver/simulated_source.h"
#include "monitor/history/history_file.h"
#include "monitor/sampling/sampling_cycle.h"
#include "monitor/stats/statistics_file.h"
#include "tests/unit/quiet_sampling.h"

namespace {

struct RunningClock : common::Clock {
    int64_t Unix;
    explicit RunningClock(int64_t start) : Unix(start) {}
    uint32_t TickCount() override { return static_cast<uint32_t>(Unix * 1000); }
    common::LocalTime Now() override {
        const int64_t day = Unix % 86400;
        return {2026, 1, static_cast<uint16_t>(1 + Unix / 86400 % 28), static_cast<uint16_t>(day / 3600),
                static_cast<uint16_t>(day % 3600 / 60), static_cast<uint16_t>(day % 60)};
    }
    int64_t UnixSeconds() override { return Unix; }
};

}  // namespace

int main() {
    auto tables = zorvel::CreatePortTables();
    auto history = zorvel::CreateHistory();
    zorvel::SimulatedSource source(*tables);
    // The day that ends at the last whole minute before now.
    const int64_t now = static_cast<int64_t>(std::time(nullptr)) / 60 * 60;
    RunningClock clock(now - 86400);
    // It claims no free space, so that no hour end writes anything.
    QuietHost host;
    zorvel::ViewState view;
    zorvel::SamplingCycle cycle(source, *tables, clock, host, "calcs.dat", history.get(), "history.dat");
    while (clock.Unix < now) {
        cycle.Tick(view);
        clock.Unix += 2;
    }
    const bool saved = zorvel::SaveStatistics("calcs.dat", tables->Records) == common::WriteResult::Ok &&
                       zorvel::SaveHistory("history.dat", *history) == common::WriteResult::Ok;
    return saved ? 0 : 1;
}
