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
#include "monitor/grid/font_ink.h"
#include "monitor/grid/grid_text.h"
#include "monitor/grid/layout.h"
#include "monitor/grid/paint_grid.h"

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

// Counts what a paint asks of the device context, with the text colour set only
// when it changes and a row's texts joined where they fit, in a font whose
// characters advance 7 pixels with a pixel clear on either side.
struct CountingCanvas : Canvas {
    int64_t Calls = 0;
    uint32_t Colour = 0;
    FontInk Font = [] {
        FontInk font{};
        font.fill({true, 1, 5, 7});
        return font;
    }();
    std::string Chars;
    std::vector<int> Advances;
    void Fill(const CellRect&, uint32_t) override { ++Calls; }
    int TextWidth(const std::string& text) override {
        ++Calls;
        return 7 * static_cast<int>(text.size());
    }
    void Texts(const TextPiece* pieces, size_t count, uint32_t colour) override {
        Calls += colour != Colour ? 1 : 0;
        Calls += JoinTexts(pieces, count, Font, Chars, Advances) ? 1 : static_cast<int64_t>(count);
        Colour = colour;
    }
};

// A full paint of the maximised window's grid: the time is the core's share
// alone; the counter gives the device context calls per cell (seven before).
void FullPaint1920x1080(benchmark::State& state) {
    const bench::BusyPorts ports;
    ViewState& view = *ports.View;
    LayoutRowsAndColumns(view, kDefaultLineHeight);
    view.ClientWidth = 1920;
    view.ClientHeight = 1000;
    ComputeVisibleRange(view);
    const CellTextFn cellText = [&](int row, int column) { return GridCellText(view, *ports.Tables, row, column); };
    CountingCanvas canvas;
    int64_t cells = 0;
    for (auto _ : state) {
        const CellSpan span = PaintGrid(view, cellText, canvas, {{0, 0, view.ClientWidth, view.ClientHeight}});
        cells += static_cast<int64_t>(span.Columns.End - span.Columns.First) * (span.Rows.End - span.Rows.First);
    }
    state.counters["cells"] = static_cast<double>(cells) / static_cast<double>(state.iterations());
    state.counters["calls_per_cell"] = static_cast<double>(canvas.Calls) / static_cast<double>(cells);
}
BENCHMARK(FullPaint1920x1080);

}  // namespace
