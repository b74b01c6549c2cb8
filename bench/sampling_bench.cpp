// A tick over the most ports the driver lists, and the cell texts of a full
// grid, against copying the record table and plain "%u" formatting.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/busy_ports.h"
#include "monitor/grid/grid_text.h"
#include "monitor/stats/statistic_values.h"

using namespace zorvel;

namespace {

// `minuteEveryTick` makes each tick close a minute too (the second pass over the ports).
void RunTicks(benchmark::State& state, bool minuteEveryTick) {
    auto tables = CreatePortTables();
    bench::BusySource source(*tables);
    SetClock clock;
    QuietHost host;
    ViewState view;
    SamplingCycle cycle(source, *tables, clock, host, "unused-calcs.dat");
    cycle.Tick(view);
    for (auto _ : state) {
        clock.Ms += 2000;
        if (minuteEveryTick) {
            clock.Time.Minute = static_cast<uint16_t>((clock.Time.Minute + 1) % 60);
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

// What a repaint of every cell asks for: 128 ports by the default view's 56 columns.
void CellTextsOfAFullGrid(benchmark::State& state) {
    const bench::BusyPorts ports;
    const ViewState& view = *ports.View;
    for (auto _ : state) {
        for (int row = 1; row < view.GridRows; ++row) {
            for (int column = 1; column < view.GridColumns; ++column) {
                std::string text = GridCellText(view, *ports.Tables, row, column);
                benchmark::DoNotOptimize(text.data());
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * (view.GridRows - 1) * (view.GridColumns - 1));
}
BENCHMARK(CellTextsOfAFullGrid);

void FormatFullGridBaseline(benchmark::State& state) {
    const bench::BusyPorts ports;
    const ViewState& view = *ports.View;
    std::vector<uint32_t> values;
    for (int row = 1; row < view.GridRows; ++row) {
        for (int column = 1; column < view.GridColumns; ++column) {
            values.push_back(StatisticValue(*ports.Tables, view.Columns[column - 1].Input, row - 1));
        }
    }
    char text[16];
    for (auto _ : state) {
        for (uint32_t value : values) {
            std::snprintf(text, sizeof text, "%u", value);
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(values.size()));
}
BENCHMARK(FormatFullGridBaseline);

}  // namespace
