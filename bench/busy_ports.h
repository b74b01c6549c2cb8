// The set-up the benchmarks share: the most ports the driver lists, all busy.
#pragma once

#include <cstdio>
#include <memory>

#include "monitor/grid/columns.h"
#include "monitor/grid/view_state.h"
#include "monitor/stats/catalogue.h"
#include "monitor/sampling/sampling_cycle.h"
#include "tests/unit/quiet_sampling.h"

namespace bench {

// Every port busy, with carrier detect toggling, as a fast driver would report.
class BusySource : public zorvel::PortSource {
public:
    explicit BusySource(zorvel::PortTables& tables) : tables_(tables) {}
    int Request(int kind) override {
        if (kind == zorvel::kRequestPortList) {
            for (int port = 0; port < zorvel::kMaxPorts; ++port) {
                std::snprintf(tables_.Names.Slots[port].Name, sizeof(zorvel::NameSlot::Name), "COM%d", port + 1);
            }
            return zorvel::kStatusOk;
        }
        ++reads_;
        for (int port = 0; port < zorvel::kMaxPorts; ++port) {
            zorvel::CounterSlot& slot = tables_.Counters.Slots[port];
            slot.TxTotalRaw += 3000u + static_cast<uint32_t>(port);
            slot.RxTotalRaw += 1500u;
            slot.OverrunErrorsRaw = static_cast<uint16_t>(slot.OverrunErrorsRaw + (reads_ & 1u));
            slot.PortStatus =
                static_cast<uint16_t>(zorvel::kStatusOpen | ((reads_ + port) % 3 == 0 ? zorvel::kStatusCd : 0));
        }
        return zorvel::kStatusOk;
    }

private:
    zorvel::PortTables& tables_;
    uint32_t reads_ = 0;
};

// 128 ports after ten minutes of two-second ticks, so that the records hold
// counts of many digits rather than zeros.
struct BusyPorts {
    std::unique_ptr<zorvel::PortTables> Tables = zorvel::CreatePortTables();
    std::unique_ptr<zorvel::ViewState> View = zorvel::CreateView();

    BusyPorts() {
        BusySource source(*Tables);
        SetClock clock;
        QuietHost host;
        zorvel::SamplingCycle cycle(source, *Tables, clock, host, "unused-calcs.dat");
        for (int tick = 0; tick < 300; ++tick) {
            clock.Ms += 2000;
            clock.Time.Minute = static_cast<uint16_t>(tick / 30);
            cycle.Tick(*View);
        }
        zorvel::DefaultView(*View, zorvel::CountStatistics());
        View->GridColumns = static_cast<int16_t>(View->ColumnCount + 1);
    }
};

}  // namespace bench
