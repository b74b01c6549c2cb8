#include "monitor/driver/simulated_source.h"

#include <cstdio>

namespace zorvel {

int SimulatedSource::Request(int kind) {
    if (kind == kRequestPortList) {
        ListPorts();
    } else if (kind == kRequestCounterRead) {
        AdvanceCounters();
    }
    return kStatusOk;
}

void SimulatedSource::ListPorts() {
    for (int slot = 0; slot < kPorts; ++slot) {
        ++counter_;
        std::snprintf(tables_.Names.Slots[slot].Name, sizeof(NameSlot::Name), "COM%d", slot + 5);
    }
}

void SimulatedSource::AdvanceCounters() {
    for (int slot = 0; slot < kPorts; ++slot) {
        ++counter_;
        if (slot >= kBusyPorts) {
            continue;
        }
        CounterSlot& c = tables_.Counters.Slots[slot];
        c.TxTotalRaw += static_cast<uint32_t>(random_.Next() & 0xFFF);
        c.RxTotalRaw += static_cast<uint32_t>(random_.Next() & 0xFFF);
        c.TxPkts = static_cast<uint16_t>(c.TxPkts + (random_.Next() & 3));
        c.RxPkts = static_cast<uint16_t>(c.RxPkts + (random_.Next() & 5));
        c.PortStatus = kStatusOpen;
        if ((counter_ & 0x75) == 0x70) {
            ++c.OverrunErrorsRaw;
        }
        if ((counter_ & 0x375) == 0x305) {
            ++c.ParityErrorsRaw;
        }
    }
}

}  // namespace zorvel
