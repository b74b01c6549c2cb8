// The service's publication of a tick against copying its tables, and the tick
// of a window that shows a service's figures against a sampling window's tick.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/busy_ports.h"
#include "monitor/grid/changed_cells.h"
#include "monitor/grid/grid_text.h"
#include "monitor/service/monitor_service.h"
#include "monitor/service/service_reader.h"

using namespace zorvel;

namespace {

struct NoLog : ServiceLog {
    void Write(const ServiceEvent&) override {}
};
struct NoReports : ReportEnvironment {
    void Stamp(std::string&, std::string&) override {}
    double FreeDiskBytes() override { return 0; }
    void StartProgram(const std::string&) override {}
};

// A service over the busy ports, never started: only its tables are published.
struct BusyService {
    bench::BusyPorts Ports;
    bench::BusySource Source{*Ports.Tables};
    SetClock Clock;
    NoLog Log;
    NoReports Reports;
    ServiceSystem System{Clock, Log, Reports, [] { return 0.0; }, [] { return int64_t{0}; }, [] { return uint64_t{0}; },
                         nullptr, nullptr, [] {}};
    MonitorService Service{"unused", *Ports.Tables, Source, System};
};

void PublishTick128(benchmark::State& state) {
    BusyService busy;
    auto block = std::make_unique<PublicationBlock>();
    for (auto _ : state) {
        PublishWith(*block, [&](Publication& data) { busy.Service.Fill(data, true); });
        benchmark::DoNotOptimize(block->Data.Records);
    }
}
BENCHMARK(PublishTick128);

void CopyTablesBaseline(benchmark::State& state) {
    bench::BusyPorts ports;
    auto block = std::make_unique<PublicationBlock>();
    for (auto _ : state) {
        block->Data.Names = ports.Tables->Names;
        block->Data.Counters = ports.Tables->Counters;
        std::memcpy(block->Data.Records, ports.Tables->Records, sizeof block->Data.Records);
        benchmark::DoNotOptimize(block->Data.Records);
    }
}
BENCHMARK(CopyTablesBaseline);

// Two ticks' publications, taken in turn, as a window finds a new one at each
// of its ticks.
struct TwoPublications : PublicationSource {
    std::unique_ptr<PublicationBlock> Blocks[2] = {std::make_unique<PublicationBlock>(),
                                                    std::make_unique<PublicationBlock>()};
    int64_t Taken = 0;
    bool Take(Publication& publication) override { return TakePublished(*Blocks[Taken++ % 2], publication); }
};

// The whole grid visible, so that every cell is compared.
void ShowAll(ViewState& view) {
    view.ClientWidth = 30000;
    view.ClientHeight = 30000;
    view.EndColumn = view.GridColumns;
    view.EndRow = view.GridRows;
}

void ServiceWindowTick128(benchmark::State& state) {
    BusyService busy;
    TwoPublications source;
    for (auto& block : source.Blocks) {
        // A tick's worth of traffic on every port between the two.
        for (int port = 0; port < kMaxPorts; ++port) {
            busy.Ports.Tables->Records[port].TxTotal += 3000u + static_cast<uint32_t>(port);
            busy.Ports.Tables->Records[port].RxTotal += 1500u;
        }
        PublishWith(*block, [&](Publication& data) { busy.Service.Fill(data, true); });
    }
    auto shown = CreatePortTables();
    ProgramSettings settings;
    ServiceReader reader(source, *shown, settings);
    ViewState& view = *busy.Ports.View;
    ShowAll(view);
    const CellTextFn cellText = [&](int row, int column) { return GridCellText(view, *shown, row, column); };
    std::vector<CellRect> changed;
    for (auto _ : state) {
        reader.Tick();
        changed.clear();
        ChangedCells(view, cellText, changed);
        benchmark::DoNotOptimize(changed.data());
    }
}
BENCHMARK(ServiceWindowTick128);

void SamplingWindowTick128(benchmark::State& state) {
    bench::BusyPorts ports;
    bench::BusySource source(*ports.Tables);
    SetClock clock;
    QuietHost host;
    ViewState& view = *ports.View;
    SamplingCycle cycle(source, *ports.Tables, clock, host, "unused-calcs.dat");
    cycle.Tick(view);
    ShowAll(view);
    const CellTextFn cellText = [&](int row, int column) { return GridCellText(view, *ports.Tables, row, column); };
    std::vector<CellRect> changed;
    for (auto _ : state) {
        clock.Ms += 2000;
        cycle.Tick(view);
        changed.clear();
        ChangedCells(view, cellText, changed);
        benchmark::DoNotOptimize(changed.data());
    }
}
BENCHMARK(SamplingWindowTick128);

}  // namespace
