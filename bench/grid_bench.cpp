// A tick's changed-cell pass over 128 ports against the least any such pass
// must do: make each cell's text and compare it with the one before.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/busy_ports.h"
#include "monitor/grid/changed_cells.h"
#include "monitor/grid/grid_text.h"

using namespace zorvel;

namespace {

// The busy ports and the same ports a tick later; the passes alternate between
// them, so each compares one tick's figures with the tick before's.
struct TwoTicks {
    bench::BusyPorts Ports;
    std::unique_ptr<PortTables> Later = CreatePortTables();

    TwoTicks() {
        *Later = *Ports.Tables;
        bench::BusySource source(*Later);
        SetClock clock;
        QuietHost host;
        SamplingCycle cycle(source, *Later, clock, host, "unused-calcs.dat");
        ViewState view;
        for (int tick = 0; tick < 2; ++tick) {
            clock.Ms += 2000;
            cycle.Tick(view);
        }
        // The whole grid visible: every cell is compared.
        ViewState& shown = *Ports.View;
        shown.ClientWidth = 30000;
        shown.ClientHeight = 30000;
        shown.FirstColumn = 0;
        shown.FirstRow = 0;
        shown.EndColumn = shown.GridColumns;
        shown.EndRow = shown.GridRows;
    }
    const PortTables& At(int64_t iteration) const { return iteration % 2 == 0 ? *Later : *Ports.Tables; }
};

void ChangedCells128(benchmark::State& state) {
    TwoTicks ticks;
    ViewState& view = *ticks.Ports.View;
    const PortTables* tables = &ticks.At(1);
    const CellTextFn cellText = [&](int row, int column) { return GridCellText(view, *tables, row, column); };
    std::vector<CellRect> changed;
    ChangedCells(view, cellText, changed);
    int64_t iteration = 0;
    size_t count = 0;
    for (auto _ : state) {
        tables = &ticks.At(iteration++);
        changed.clear();
        ChangedCells(view, cellText, changed);
        count += changed.size();
        benchmark::DoNotOptimize(changed.data());
    }
    state.counters["changed"] = static_cast<double>(count) / static_cast<double>(iteration);
}
BENCHMARK(ChangedCells128);

void CompareGridTextsBaseline(benchmark::State& state) {
    TwoTicks ticks;
    const ViewState& view = *ticks.Ports.View;
    std::vector<std::string> previous(static_cast<size_t>(view.GridRows) * view.GridColumns);
    int64_t iteration = 0;
    size_t count = 0;
    for (auto _ : state) {
        const PortTables& tables = ticks.At(iteration++);
        std::string* before = previous.data();
        for (int column = 0; column < view.GridColumns; ++column) {
            for (int row = 0; row < view.GridRows; ++row, ++before) {
                std::string text = GridCellText(view, tables, row, column);
                if (text.size() != before->size() || std::memcmp(text.data(), before->data(), text.size()) != 0) {
                    ++count;
                    *before = std::move(text);
                }
            }
        }
        benchmark::DoNotOptimize(previous.data());
    }
    state.counters["changed"] = static_cast<double>(count) / static_cast<double>(iteration);
}
BENCHMARK(CompareGridTextsBaseline);

}  // namespace
