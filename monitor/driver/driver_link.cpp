#include "monitor/driver/driver_link.h"

namespace zorvel {

DriverLink::DriverLink(common::DeviceOpener& opener, uint32_t platformId, PortTables& tables)
    : connection_(opener, platformId,
                  {common::kAccessNone, common::kShareNone, common::kShareNone, common::kShareNone}),
      tables_(tables) {}

int DriverLink::Request(int kind) {
    if (kind != kRequestPortList && kind != kRequestCounterRead) {
        return kStatusOk;
    }
    if (!connection_.IsOpen() && !connection_.Open(common::kNtDevicePath)) {
        return kStatusOpenFailed;
    }
    return kind == kRequestPortList ? ReadPortList() : ReadCounters();
}

int DriverLink::ReadPortList() {
    PortNameTable& names = tables_.Names;
    names.Slots[0].Name[0] = '\0';
    if (!connection_.ListPorts(names.Header, TP_PORT_LIST_SIZE)) {
        return kStatusControlFailed;
    }
    portCount_ = 0;
    if (names.Slots[0].Name[0] == '\0') {
        return kStatusNoPorts;
    }
    portCount_ = CountPorts(names);
    return kStatusOk;
}

int DriverLink::ReadCounters() {
    if (portCount_ == 0) {
        return kStatusOpenFailed;
    }
    const uint32_t size = static_cast<uint32_t>(portCount_ + 2) * sizeof(CounterSlot);
    if (!connection_.ReadCounters(tables_.Counters.Header, size)) {
        return kStatusControlFailed;
    }
    return kStatusOk;
}

}  // namespace zorvel
