// The monitor's metrics file for 128 ports, against writing the same bytes with
// one fwrite through the same whole-file replace; and a minute end that hands
// the file to the writer thread.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/busy_ports.h"
#include "common/whole_file.h"
#include "monitor/stats/metrics_file.h"
#include "tests/unit/recording_alerts.h"
#include "tests/unit/temp_dir.h"

using namespace zorvel;

namespace {

ProgramSettings WithMetricsFile() {
    ProgramSettings settings;
    settings.Metrics.Present = true;
    settings.Metrics.File = "zorvel.prom";
    settings.Metrics.Board = "hall-a";
    return settings;
}

// What the monitor's writer thread and its tick do together, done in one thread.
void MetricsFile128(benchmark::State& state) {
    const bench::BusyPorts ports;
    const TempDir folder;
    const std::string path = folder.Path("zorvel.prom");
    int64_t now = 1700000000;
    for (auto _ : state) {
        const std::string text = FormatMetricsFile(*ports.Tables, "hall-a", MetricsMoment{true, true, now += 60, 2});
        if (common::ReplaceWithText(path, text).Result != common::WriteResult::Ok) {
            state.SkipWithError("the file could not be written");
            break;
        }
    }
}
BENCHMARK(MetricsFile128);

void MetricsFileBytesBaseline(benchmark::State& state) {
    const bench::BusyPorts ports;
    const std::string text = FormatMetricsFile(*ports.Tables, "hall-a", MetricsMoment{true, true, 1700000000, 2});
    const TempDir folder;
    const std::string path = folder.Path("zorvel.prom");
    for (auto _ : state) {
        const auto result = common::ReplaceWholeFile(
            path, [&text](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); });
        if (result != common::WriteResult::Ok) {
            state.SkipWithError("the file could not be written");
            break;
        }
    }
}
BENCHMARK(MetricsFileBytesBaseline);

// A host that writes the file as the monitor's window side does.
struct PublishingHost : QuietHost {
    MetricsPublisher* Publisher = nullptr;
    int64_t Now = 1700000000;
    void Sampled(bool minuteEnded) override { Publisher->Sampled(Now += 2, minuteEnded); }
};

void TickOver128PortsEndingAMinuteWithMetrics(benchmark::State& state) {
    auto tables = CreatePortTables();
    bench::BusySource source(*tables);
    SetClock clock;
    const ProgramSettings settings = WithMetricsFile();
    RecordingAlerts alerts;
    const TempDir folder;
    MetricsPublisher publisher(settings, *tables, alerts, folder.Path("zorvel.prom"));
    PublishingHost host;
    host.Publisher = &publisher;
    ViewState view;
    SamplingCycle cycle(source, *tables, clock, host, "unused-calcs.dat");
    cycle.Tick(view);
    for (auto _ : state) {
        clock.Ms += 2000;
        clock.Time.Minute = static_cast<uint16_t>((clock.Time.Minute + 1) % 60);
        cycle.Tick(view);
    }
    if (!alerts.Shown.empty()) {
        state.SkipWithError(alerts.Shown.front().c_str());
    }
}
BENCHMARK(TickOver128PortsEndingAMinuteWithMetrics);

}  // namespace
