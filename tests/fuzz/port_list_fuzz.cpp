// Port lists and counter tables of any slot bytes, through the sampling ticks
// that take them, then shown in the grid's texts.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <vector>

#include "common/driver_codes.h"
#include "monitor/driver/driver_link.h"
#include "monitor/grid/columns.h"
#include "monitor/grid/grid_text.h"
#include "monitor/stats/catalogue.h"
#include "monitor/sampling/sampling_cycle.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/unit/fake_device.h"
#include "tests/unit/quiet_sampling.h"

namespace {

struct FixedClock : common::Clock {
    int64_t Unix = 1800000000;
    uint32_t Ms = 0;
    uint32_t TickCount() override { return Ms += 2000; }
    common::LocalTime Now() override { return {2026, 12, 8, 12, 30, 0}; }
    int64_t UnixSeconds() override { return Unix; }
};

struct RowHost : QuietHost {
    void RowCountChanged(zorvel::ViewState& view) override {
        fuzz::Require(view.GridRows >= 1 && view.GridRows <= zorvel::kMaxGridRows, "row count in range");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int statistics = zorvel::CountStatistics();
    FuzzedDataProvider input(data, size);
    auto tables = zorvel::CreatePortTables();

    FakeOpener opener;
    // The driver writes what it likes, but never past the output length.
    opener.Reply = [&input](uint8_t* buffer, uint32_t outSize) {
        const std::vector<uint8_t> reply = input.ConsumeBytes<uint8_t>(outSize);
        std::copy(reply.begin(), reply.end(), buffer);
    };
    zorvel::DriverLink link(opener, common::kPlatformNt, *tables);
    FixedClock clock;
    RowHost host;
    auto view = zorvel::CreateView();
    zorvel::DefaultView(*view, statistics);
    zorvel::SamplingCycle cycle(link, *tables, clock, host, fuzz::ScratchPath("calcs.dat"));
    for (int tick = 0; tick < 3 && cycle.Tick(*view); ++tick) {
        fuzz::Require(link.PortCount() >= 0 && link.PortCount() <= zorvel::kMaxPorts, "port count in range");
    }

    for (int slot = 0; slot < zorvel::kTableRoom; ++slot) {
        fuzz::Require(zorvel::PortName(tables->Names.Slots[slot]).size() <= zorvel::kPortNameLength, "name cut to 11");
    }
    for (int row = 0; row < view->GridRows; ++row) {
        for (int column = 0; column < view->GridColumns; ++column) {
            zorvel::GridCellText(*view, *tables, row, column);
        }
    }
    return 0;
}
