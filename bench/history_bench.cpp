// A day's graph planned from the history against copying its points, and a
// minute end that fills the history against one that does not.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/busy_ports.h"
#include "monitor/history/graph_plan.h"

using namespace zorvel;

namespace {

constexpr int64_t kNow = 1796904000;

// Every minute of the day holds traffic, errors now and then and carrier
// coming and going, so that the plan has every kind of mark to make.
std::unique_ptr<HistoryTables> FullDay() {
    auto history = CreateHistory();
    for (int i = 0; i < kMinuteBuckets; ++i) {
        const uint32_t minute = static_cast<uint32_t>(kNow / 60 - kMinuteBuckets + i);
        const int at = static_cast<int>(minute % kMinuteBuckets);
        history->MinuteStamps[at] = minute;
        MinuteBucket& bucket = history->Minutes[at][0];
        bucket = {static_cast<uint32_t>(60000 + i * 37 % 9000), static_cast<uint32_t>(30000 + i * 53 % 7000),
                  static_cast<uint16_t>(i % 97 == 0), static_cast<uint16_t>(kBucketSampled | (i % 300 < 200 ? kBucketCarrier : 0))};
    }
    return history;
}

common::LocalTime Utc(int64_t seconds) {
    const int64_t day = seconds % 86400;
    return {2026, 12, 10, static_cast<uint16_t>(day / 3600), static_cast<uint16_t>(day % 3600 / 60), 0};
}

void PlanDayGraph1440(benchmark::State& state) {
    const auto history = FullDay();
    for (auto _ : state) {
        const std::vector<GraphPoint> points = GraphPoints(*history, 0, GraphRange::Day, kNow);
        GraphPlan plan = PlanGraph(points, GraphRange::Day, {64, 40, 1900, 1000}, Utc);
        benchmark::DoNotOptimize(plan.Tx.data());
    }
}
BENCHMARK(PlanDayGraph1440);

void CopyDayPointsBaseline(benchmark::State& state) {
    const auto history = FullDay();
    std::vector<MinuteBucket> points(kMinuteBuckets);
    for (auto _ : state) {
        for (int i = 0; i < kMinuteBuckets; ++i) {
            points[static_cast<size_t>(i)] = history->Minutes[i][0];
        }
        benchmark::DoNotOptimize(points.data());
    }
}
BENCHMARK(CopyDayPointsBaseline);

// 128 busy ports sampled by the cycle, with or without a history.
struct SampledPorts {
    explicit SampledPorts(HistoryTables* history)
        : tables(CreatePortTables()),
          source(*tables),
          cycle(source, *tables, clock, host, "unused-calcs.dat", history, "unused-history.dat") {
        cycle.Tick(view);
    }
    std::unique_ptr<PortTables> tables;
    bench::BusySource source;
    SetClock clock;
    QuietHost host;
    ViewState view;
    SamplingCycle cycle;
};

// A minute of two-second ticks (the default UpdateTime) over 128 busy ports,
// the last of which ends the minute: what the history adds to the ticks.
void RunMinutes(benchmark::State& state, HistoryTables* history) {
    SampledPorts ports(history);
    for (auto _ : state) {
        for (int tick = 0; tick < 30; ++tick) {
            ports.clock.Ms += 2000;
            ports.clock.Unix += 2;
            ports.cycle.Tick(ports.view);
        }
        ports.clock.Time.Minute = static_cast<uint16_t>((ports.clock.Time.Minute + 1) % 60);
        benchmark::DoNotOptimize(ports.tables->Records);
    }
}

void MinuteOfTicksWithHistory(benchmark::State& state) {
    auto history = CreateHistory();
    RunMinutes(state, history.get());
}
BENCHMARK(MinuteOfTicksWithHistory);

void MinuteOfTicksWithout(benchmark::State& state) {
    RunMinutes(state, nullptr);
}
BENCHMARK(MinuteOfTicksWithout);

// The minute end alone, to show what a tick that ends a minute pays.
void EndingAMinute(benchmark::State& state, HistoryTables* history) {
    SampledPorts ports(history);
    for (auto _ : state) {
        ports.clock.Ms += 2000;
        ports.clock.Unix += 60;
        ports.clock.Time.Minute = static_cast<uint16_t>((ports.clock.Time.Minute + 1) % 60);
        ports.cycle.Tick(ports.view);
        benchmark::DoNotOptimize(ports.tables->Records);
    }
}

void TickEndingAMinuteWithHistory(benchmark::State& state) {
    auto history = CreateHistory();
    EndingAMinute(state, history.get());
}
BENCHMARK(TickEndingAMinuteWithHistory);

void TickEndingAMinuteWithout(benchmark::State& state) {
    EndingAMinute(state, nullptr);
}
BENCHMARK(TickEndingAMinuteWithout);

}  // namespace
