// The board's driver, opened on first use and kept open for the run.
#pragma once

#include <cstdint>

#include "common/device_io.h"
#include "common/driver_connection.h"
#include "monitor/stats/port_source.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

static_assert(sizeof(PortNameTable) >= TP_PORT_LIST_SIZE, "port list fits its table");
static_assert(sizeof(CounterTable) >= (kMaxPorts + 2) * sizeof(CounterSlot), "counters fit their table");

class DriverLink : public PortSource {
public:
    DriverLink(common::DeviceOpener& opener, uint32_t platformId, PortTables& tables);

    int Request(int kind) override;
    int PortCount() const { return portCount_; }
    // The exit sequence closes the handle; a later request would open it anew.
    void Close() { connection_.Close(); }
    // The platform's error and byte count of the last request.
    const common::DriverConnection& Connection() const { return connection_; }

private:
    int ReadPortList();
    int ReadCounters();

    common::DriverConnection connection_;
    PortTables& tables_;
    int portCount_ = 0;
};

}  // namespace zorvel
