// An "All Data" report of 128 ports in the Multiple layout, against writing
// the same bytes with one fwrite per file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bench/busy_ports.h"
#include "monitor/reports/report_writer.h"
#include "tests/unit/temp_dir.h"

using namespace zorvel;

namespace {

class FixedStamp : public ReportEnvironment {
public:
    void Stamp(std::string& date, std::string& time) override {
        date = "03/10/24";
        time = "13:00";
    }
    double FreeDiskBytes() override { return 1e12; }
    void StartProgram(const std::string&) override {}
};

// Each run starts with no files, so each writes a header and a value line.
void Empty(const TempDir& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder.Root())) {
        std::filesystem::remove(entry.path());
    }
}

void ReportAllMultiple128(benchmark::State& state) {
    const bench::BusyPorts ports;
    FixedStamp stamp;
    const TempDir folder;
    const ReportContext context{*ports.View, *ports.Tables, CountStatistics(), stamp, folder.Root().string()};
    for (auto _ : state) {
        state.PauseTiming();
        Empty(folder);
        state.ResumeTiming();
        if (WriteReport(context, Selection::All, Layout::Multiple) != kReportOk) {
            state.SkipWithError("the report failed");
            break;
        }
    }
}
BENCHMARK(ReportAllMultiple128);

void WriteReportBytesBaseline(benchmark::State& state) {
    const bench::BusyPorts ports;
    FixedStamp stamp;
    const TempDir folder;
    const ReportContext context{*ports.View, *ports.Tables, CountStatistics(), stamp, folder.Root().string()};
    WriteReport(context, Selection::All, Layout::Multiple);
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Root())) {
        std::ostringstream bytes;
        bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        files.emplace_back(entry.path().string(), bytes.str());
    }
    if (files.size() != kMaxPorts) {
        state.SkipWithError("the report did not write a file per port");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        Empty(folder);
        state.ResumeTiming();
        for (const auto& [path, bytes] : files) {
            std::FILE* file = std::fopen(path.c_str(), "ab");
            const bool written = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
            if (file == nullptr || std::fclose(file) != 0 || !written) {
                state.SkipWithError("a file could not be written");
                return;
            }
        }
    }
}
BENCHMARK(WriteReportBytesBaseline);

}  // namespace
