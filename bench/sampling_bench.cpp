// A tick over the most ports the driver lists, and the cell texts of a full grid.
// Compare with CopyRecordTable, which runs in the same program.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "monitor/stats/cell_text.h"
#include "monitor/stats/sampling_cycle.h"

using namespace zorvel;

namespace {

// Every port busy, with carrier detect toggling, as a fast driver would report.
class BusySource : public PortSource {
public:
    explicit BusySource(PortTables& tables) : tables_(tables) {}
    int Request(int kind) override {
        if (kind == kRequestPortList) {
            for (int port = 0; port < kMaxPorts; ++port) {
                std::snprintf(tables_.Names.Slots[port].Name, sizeof(NameSlot::Name), "COM%d", port + 1);
            }
            return kStatusOk;
        }
        ++reads_;
        for (int port = 0; port < kMaxPorts; ++port) {
            CounterSlot& slot = tables_.Counters.Slots[port];
            slot.TxTotalRaw += 3000u + static_cast<uint32_t>(port);
            slot.RxTotalRaw += 1500u;
            slot.OverrunErrorsRaw = static_cast<uint16_t>(slot.OverrunErrorsRaw + (reads_ & 1u));
            slot.PortStatus = static_cast<uint16_t>(kStatusOpen | ((reads_ + port) % 3 == 0 ? kStatusCd : 0));
        }
        return kStatusOk;
    }

private:
    PortTables& tables_;
    uint32_t reads_ = 0;
};

class SteppingClock : public common::Clock {
public:
    uint32_t TickCount() override { return ms; }
    common::LocalTime Now() override { return time; }
    uint32_t ms = 0;
    common::LocalTime time = {2024, 3, 10, 12, 0, 0};
};

class QuietHost : public SamplingHost {
public:
    void ShowDriverError(const char*) override {}
    void CloseProgram() override {}
    void RowCountChanged(ViewState&) override {}
    double FreeDiskBytes() override { return 0; }
    void RunHourReports(ViewState&) override {}
    void WriteSettingsFile() override {}
    void RunDayReports(ViewState&) override {}
    void Repaint(ViewState&) override {}
};

// `minuteEveryTick` makes each tick close a minute too (the second pass over the ports).
void RunTicks(benchmark::State& state, bool minuteEveryTick) {
    auto tables = CreatePortTables();
    BusySource source(*tables);
    SteppingClock clock;
    QuietHost host;
    ViewState view;
    SamplingCycle cycle(source, *tables, clock, host, "unused-calcs.dat");
    cycle.Tick(view);
    for (auto _ : state) {
        clock.ms += 2000;
        if (minuteEveryTick) {
            clock.time.Minute = static_cast<uint16_t>((clock.time.Minute + 1) % 60);
        }
        cycle.Tick(view);
        benchmark::DoNotOptimize(tables->Records);
    }
}

void TickOver128Ports(benchmark::State& state) {
    RunTicks(state, false);
}
BENCHMARK(TickOver128Ports);

void TickOver128PortsEndingAMinute(benchmark::State& state) {
    RunTicks(state, true);
}
BENCHMARK(TickOver128PortsEndingAMinute);

void CellValueOfAFullGrid(benchmark::State& state) {
    auto tables = CreatePortTables();
    BusySource source(*tables);
    source.Request(kRequestPortList);
    source.Request(kRequestCounterRead);
    const int types[] = {kTypeInteger, kTypeOnOff, kTypeScaled, kTypeDuration};
    std::string text;
    for (auto _ : state) {
        for (int input = 1; input <= 56; ++input) {
            for (int port = 0; port < kMaxPorts; ++port) {
                CellValue(*tables, input, types[input % 4], port, text);
                benchmark::DoNotOptimize(text.data());
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 56 * kMaxPorts);
}
BENCHMARK(CellValueOfAFullGrid);

}  // namespace
