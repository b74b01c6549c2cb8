// Synthetic boards for scripts/fleet-check.sh: each board's 128 ports carry the
// stand-in driver's traffic through the monitor's own sampling cycle, and its
// metrics file comes from the monitor's own writer.
//
//   fleet_boards BOARDS all|counters MINUTES HISTORY TEXTFILES
//
// Writes MINUTES of every board's minute files into HISTORY as OpenMetrics
// with time stamps (for promtool's backfill), prints "ready START END SERIES
// COUNTERS_SERIES", then keeps writing TEXTFILES/board-NN.prom at every minute
// end, on the wall clock, until its standard input closes.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "common/whole_file.h"
#include "monitor/stats/metrics_file.h"
#include "monitor/sampling/sampling_cycle.h"
#include "tests/unit/quiet_sampling.h"
#include "tools/standin/si_traffic.h"

using namespace zorvel;

namespace {

constexpr uint32_t kTickMs = 2000;

// Local time is UTC here: only the minute and hour ends matter.
struct SimulatedClock : common::Clock {
    int64_t Unix = 0;
    uint32_t Ms = 0;
    uint32_t TickCount() override { return Ms; }
    common::LocalTime Now() override {
        const std::time_t t = static_cast<std::time_t>(Unix);
        std::tm utc{};
        gmtime_r(&t, &utc);
        return {static_cast<uint16_t>(utc.tm_year + 1900), static_cast<uint16_t>(utc.tm_mon + 1),
                static_cast<uint16_t>(utc.tm_mday),        static_cast<uint16_t>(utc.tm_hour),
                static_cast<uint16_t>(utc.tm_min),         static_cast<uint16_t>(utc.tm_sec)};
    }
    int64_t UnixSeconds() override { return Unix; }
};

class TrafficSource : public PortSource {
public:
    TrafficSource(PortTables& tables, SimulatedClock& clock, uint32_t seed) : tables_(tables), clock_(clock) {
        si_traffic_start(&traffic_, kMaxPorts, seed, clock.Ms);
    }
    int Request(int kind) override {
        if (kind == kRequestPortList) {
            for (int port = 0; port < kMaxPorts; ++port) {
                std::snprintf(tables_.Names.Slots[port].Name, sizeof(NameSlot::Name), "COM%d", port + 1);
            }
            return kStatusOk;
        }
        si_traffic_advance(&traffic_, clock_.Ms, nullptr, nullptr);
        for (int port = 0; port < kMaxPorts; ++port) {
            CounterSlot& slot = tables_.Counters.Slots[port];
            slot = traffic_.port[port].counters;
            // Every carrying port of the stand-in counts line errors every few
            // minutes, a board in trouble; across a fleet that would be
            // thousands of alerts at once. One line in sixteen stays noisy.
            if (port % 16 != 1) {
                slot.OverrunErrorsRaw = slot.FramingErrorsRaw = slot.ParityErrorsRaw = 0;
            }
        }
        return kStatusOk;
    }

private:
    PortTables& tables_;
    SimulatedClock& clock_;
    SiTraffic traffic_;
};

struct MinuteHost : QuietHost {
    bool Due = false;
    void Sampled(bool minuteEnded) override { Due = Due || minuteEnded; }
};

struct Board {
    Board(int number, int64_t start)
        : Name(Label(number)), Tables(CreatePortTables()), Source(*Tables, Clock, static_cast<uint32_t>(number)) {
        Clock.Unix = start;
        Cycle = std::make_unique<SamplingCycle>(Source, *Tables, Clock, Host, "unused-calcs.dat");
    }
    static std::string Label(int number) {
        char name[24];
        std::snprintf(name, sizeof name, "board-%02d", number);
        return name;
    }
    // One tick; the file's text when the tick ended a minute.
    std::optional<std::string> Tick(MetricFamilies families) {
        Clock.Unix += kTickMs / 1000;
        Clock.Ms += kTickMs;
        Cycle->Tick(View);
        if (!Host.Due) {
            return std::nullopt;
        }
        Host.Due = false;
        return FormatMetricsFile(*Tables, Name, MetricsMoment{true, true, Clock.Unix, kTickMs / 1000}, nullptr,
                                 families);
    }

    const std::string Name;
    SimulatedClock Clock;
    std::unique_ptr<PortTables> Tables;
    TrafficSource Source;
    MinuteHost Host;
    ViewState View;
    std::unique_ptr<SamplingCycle> Cycle;
};

size_t CountSamples(const std::string& text) {
    size_t samples = 0;
    for (size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
        samples += text[at] != '#';
    }
    return samples;
}

// The file's samples with the labels a scrape adds and the minute's time
// stamp; the target's instance is the board's name, as fleet_check.py sets it.
void AppendOpenMetrics(std::string& out, const std::string& text, const std::string& board, int64_t unix) {
    const std::string targetLabels = "instance=\"" + board + ":9182\",job=\"windows\",";
    const std::string stamp = " " + std::to_string(unix) + "\n";
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        if (text[at] != '#') {
            const size_t brace = text.find('{', at);
            out.append(text, at, brace + 1 - at);
            out += targetLabels;
            out.append(text, brace + 1, end - brace - 1);
            out += stamp;
        }
        at = end + 1;
    }
}

bool WriteAll(std::FILE* file, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size();
}

int Usage() {
    std::fprintf(stderr, "usage: fleet_boards BOARDS all|counters MINUTES HISTORY TEXTFILES\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        return Usage();
    }
    const int boards = std::atoi(argv[1]);
    const std::string familiesName = argv[2];
    const int minutes = std::atoi(argv[3]);
    const std::string textfiles = argv[5];
    if (boards < 1 || boards > 99 || minutes < 1 || (familiesName != "all" && familiesName != "counters")) {
        return Usage();
    }
    const MetricFamilies families = familiesName == "all" ? MetricFamilies::All : MetricFamilies::Counters;

    const int64_t now = std::chrono::duration_cast<std::chrono::seconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
    const int64_t end = now - now % 60;
    const int64_t start = end - int64_t{minutes} * 60;
    std::vector<std::unique_ptr<Board>> fleet;
    for (int number = 1; number <= boards; ++number) {
        fleet.push_back(std::make_unique<Board>(number, start));
    }

    std::FILE* history = std::fopen(argv[4], "wb");
    if (history == nullptr) {
        std::perror(argv[4]);
        return 1;
    }
    bool ok = true;
    size_t series = 0;
    size_t countersSeries = 0;
    std::string chunk;
    // Minute by minute across the boards, so that each series' samples come in
    // time order, as the backfill's appender wants them.
    for (int64_t t = start; t < end; t += kTickMs / 1000) {
        chunk.clear();
        for (const auto& board : fleet) {
            const std::optional<std::string> text = board->Tick(families);
            if (!text) {
                continue;
            }
            AppendOpenMetrics(chunk, *text, board->Name, board->Clock.Unix);
            if (board->Clock.Unix == end) {
                ok = common::ReplaceWithText(textfiles + "/" + board->Name + ".prom", *text).Result ==
                         common::WriteResult::Ok &&
                     ok;
                series += CountSamples(*text);
                countersSeries += CountSamples(FormatMetricsFile(
                    *board->Tables, board->Name, MetricsMoment{true, true, end, kTickMs / 1000}, nullptr,
                    MetricFamilies::Counters));
            }
        }
        ok = WriteAll(history, chunk) && ok;
    }
    ok = WriteAll(history, "# EOF\n") && ok;
    ok = std::fclose(history) == 0 && ok;
    if (!ok) {
        std::fprintf(stderr, "fleet_boards: could not write the history or the files\n");
        return 1;
    }
    std::printf("ready %lld %lld %zu %zu\n", static_cast<long long>(start), static_cast<long long>(end), series,
                countersSeries);
    std::fflush(stdout);

    std::atomic<bool> stop{false};
    std::thread reader([&stop] {
        while (std::getchar() != EOF) {
        }
        stop = true;
    });
    auto next = std::chrono::system_clock::time_point(std::chrono::seconds(end));
    while (!stop) {
        next += std::chrono::milliseconds(kTickMs);
        std::this_thread::sleep_until(next);
        for (const auto& board : fleet) {
            const std::optional<std::string> text = board->Tick(families);
            if (text &&
                common::ReplaceWithText(textfiles + "/" + board->Name + ".prom", *text).Result !=
                    common::WriteResult::Ok) {
                std::fprintf(stderr, "fleet_boards: could not write %s's file\n", board->Name.c_str());
            }
        }
    }
    reader.join();
    return 0;
}
