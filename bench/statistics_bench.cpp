// Costs of the per-tick and per-hour work, against copying the record table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "monitor/driver/simulated_source.h"
#include "monitor/stats/statistics_file.h"

using namespace zorvel;

static void CopyRecordTable(benchmark::State& state) {
    auto from = CreatePortTables();
    auto to = CreatePortTables();
    for (auto _ : state) {
        std::memcpy(to->Records, from->Records, kStatisticsFileSize);
        benchmark::DoNotOptimize(to->Records);
    }
}
BENCHMARK(CopyRecordTable);

static void SimulatedCounterRead(benchmark::State& state) {
    auto tables = CreatePortTables();
    SimulatedSource source(*tables);
    source.Request(kRequestPortList);
    for (auto _ : state) {
        source.Request(kRequestCounterRead);
        benchmark::DoNotOptimize(tables->Counters);
    }
}
BENCHMARK(SimulatedCounterRead);

static void SaveAndLoadStatistics(benchmark::State& state) {
    auto tables = CreatePortTables();
    const std::string path = (std::filesystem::temp_directory_path() / "zorvel_bench_calcs.dat").string();
    for (auto _ : state) {
        SaveStatistics(path.c_str(), tables->Records);
        LoadStatistics(path.c_str(), tables->Records);
    }
    std::remove(path.c_str());
}
BENCHMARK(SaveAndLoadStatistics);
