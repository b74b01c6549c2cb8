#include "common/driver_connection.h"

#include <cstring>

namespace common {

DriverConnection::DriverConnection(DeviceOpener& opener, uint32_t platformId, OpenModes modes)
    : opener_(opener), nt_(platformId == kPlatformNt), modes_(modes) {}

bool DriverConnection::Open(const char* ntPath) {
    if (nt_) {
        device_ = opener_.Open(ntPath, modes_.Access, modes_.Share);
        lastError_ = device_ ? 0 : opener_.LastError();
        return device_ != nullptr;
    }
    auto serial = opener_.Open(kWin95SerialPath, kAccessReadWrite, modes_.SerialShare);
    device_ = opener_.Open(kWin95DevicePath, modes_.Access, modes_.Share);
    if (!device_) {
        lastError_ = opener_.LastError();
        return false;
    }
    if (serial) {
        serial.reset();
        opener_.Open(kWin95SerialPath, kAccessReadWrite, modes_.SerialReopenShare);
    }
    lastError_ = 0;
    return true;
}

bool DriverConnection::Control(void* buffer, uint32_t size) {
    const bool done = device_->Control(nt_ ? kNtControlCode : kWin95ControlCode, buffer, size, size);
    lastError_ = done ? 0 : device_->LastError();
    returned_ = done ? device_->BytesReturned() : 0;
    return done;
}

bool DriverConnection::ListPorts(TpRequestHeader& table, uint32_t size) {
    table.Code = TP_REQUEST_PORT_LIST;
    table.SlotSize = TP_NAME_SLOT_SIZE;
    return Control(&table, size);
}

bool DriverConnection::ReadCounters(TpRequestHeader& table, uint32_t size) {
    table.Code = TP_REQUEST_COUNTER_READ;
    table.SlotSize = TP_COUNTER_SLOT_SIZE;
    return Control(&table, size);
}

bool DriverConnection::Trace(void* block) {
    // The block's text follows the header; it need not be aligned for it.
    TpRequestHeader header;
    std::memcpy(&header, block, sizeof header);
    header.Code = TP_REQUEST_TRACE;
    header.SlotSize = TP_TRACE_EXCHANGE_SIZE;
    std::memcpy(block, &header, sizeof header);
    return Control(block, TP_TRACE_EXCHANGE_SIZE);
}

}  // namespace common
