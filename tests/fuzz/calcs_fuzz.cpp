// calcs.dat loaded into the records, carried through minute, hour and day ends
// on the simulated source, then shown as every statistic in every type.
#include <string>

#include "monitor/driver/simulated_source.h"
#include "monitor/stats/cell_text.h"
#include "monitor/sampling/sampling_cycle.h"
#include "monitor/stats/statistics_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/unit/quiet_sampling.h"

namespace {

struct Step {
    uint32_t Ms;
    uint16_t Day, Hour, Minute;
};
// Started late on the 10th: a minute end, an hour end at midnight, one at
// 04:00 and the first day end at 05:00 of the 11th.
constexpr Step kSteps[] = {
    {1000, 10, 23, 58}, {3000, 10, 23, 59}, {5000, 11, 0, 0}, {7000, 11, 4, 59}, {9000, 11, 5, 0}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto tables = zorvel::CreatePortTables();
    zorvel::LoadStatistics(fuzz::WriteInput("calcs.dat", data, size).c_str(), tables->Records);

    zorvel::SimulatedSource source(*tables);
    SetClock clock;
    QuietHost host;
    auto view = zorvel::CreateView();
    zorvel::SamplingCycle cycle(source, *tables, clock, host, fuzz::ScratchPath("saved.dat"));
    for (const Step& step : kSteps) {
        clock.Ms = step.Ms;
        clock.Time = {2026, 12, step.Day, step.Hour, step.Minute, 0};
        fuzz::Require(cycle.Tick(*view), "the simulated source never fails");
    }

    // The ticked ports and the slot after the last row; the other records hold
    // file bytes just the same, and every port would make each input slow.
    std::string text;
    for (int port : {0, 1, 23, 24, 31, 32, zorvel::kPortSlots - 1}) {
        for (int input = 0; input <= 57; ++input) {
            for (int type = -1; type <= 4; ++type) {
                text.clear();
                zorvel::CellValue(*tables, input, type, port, text);
                fuzz::Require(text.size() <= 13, "a cell text is at most 13 characters");
            }
        }
    }
    return 0;
}
