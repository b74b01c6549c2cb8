// The board's driver, opened on first use and kept open for the run.
#pragma once

#include <cstdint>
#include <memory>

#include "common/device_io.h"
#include "common/driver_codes.h"
#include "monitor/driver/port_source.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

using common::kNtControlCode;
using common::kNtDevicePath;
using common::kPlatformNt;
using common::kWin95ControlCode;
using common::kWin95DevicePath;
using common::kWin95SerialPath;

constexpr uint32_t kPortListBufferSize = 1560;
static_assert(sizeof(PortNameTable) >= kPortListBufferSize, "port list fits its table");
static_assert(sizeof(CounterTable) >= (kMaxPorts + 2) * sizeof(CounterSlot), "counters fit their table");

class DriverLink : public PortSource {
public:
    DriverLink(common::DeviceOpener& opener, uint32_t platformId, PortTables& tables);

    int Request(int kind) override;
    int PortCount() const { return portCount_; }
    // The exit sequence closes the handle; a later request would open it anew.
    void Close() { device_.reset(); }

private:
    bool OpenIfNeeded();
    int ReadPortList();
    int ReadCounters();

    common::DeviceOpener& opener_;
    const bool nt_;
    PortTables& tables_;
    std::unique_ptr<common::Device> device_;
    int portCount_ = 0;
};

}  // namespace zorvel
