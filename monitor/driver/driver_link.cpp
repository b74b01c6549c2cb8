#include "monitor/driver/driver_link.h"

namespace zorvel {

DriverLink::DriverLink(common::DeviceOpener& opener, uint32_t platformId, PortTables& tables)
    : opener_(opener), nt_(platformId == kPlatformNt), tables_(tables) {}

bool DriverLink::OpenIfNeeded() {
    if (device_) {
        return true;
    }
    if (nt_) {
        device_ = opener_.Open(kNtDevicePath, common::kAccessNone, common::kShareNone);
        return device_ != nullptr;
    }
    // The Windows 95 driver wants COM5 opened around its own open and then
    // opened once more; a missing COM5 is no reason to fail.
    auto serial = opener_.Open(kWin95SerialPath, common::kAccessReadWrite, common::kShareNone);
    device_ = opener_.Open(kWin95DevicePath, common::kAccessNone, common::kShareNone);
    if (!device_) {
        return false;
    }
    if (serial) {
        serial.reset();
        opener_.Open(kWin95SerialPath, common::kAccessReadWrite, common::kShareNone);
    }
    return true;
}

int DriverLink::Request(int kind) {
    if (kind != kRequestPortList && kind != kRequestCounterRead) {
        return kStatusOk;
    }
    if (!OpenIfNeeded()) {
        return kStatusOpenFailed;
    }
    return kind == kRequestPortList ? ReadPortList() : ReadCounters();
}

int DriverLink::ReadPortList() {
    PortNameTable& names = tables_.Names;
    names.Header.Code = kRequestPortList;
    names.Header.SlotSize = sizeof(NameSlot);
    names.Slots[0].Name[0] = '\0';
    const uint32_t code = nt_ ? kNtControlCode : kWin95ControlCode;
    if (!device_->Control(code, &names, kPortListBufferSize, kPortListBufferSize)) {
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
    CounterTable& counters = tables_.Counters;
    counters.Header.Code = kRequestCounterRead;
    counters.Header.SlotSize = sizeof(CounterSlot);
    const uint32_t size = static_cast<uint32_t>(portCount_ + 2) * sizeof(CounterSlot);
    const uint32_t code = nt_ ? kNtControlCode : kWin95ControlCode;
    if (!device_->Control(code, &counters, size, size)) {
        return kStatusControlFailed;
    }
    return kStatusOk;
}

}  // namespace zorvel
