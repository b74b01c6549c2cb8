// The three per-port data areas. The two live tables double as the driver's
// request buffers, so their layouts are the driver's wire format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "common/driver_wire.h"

namespace zorvel {

constexpr int kPortSlots = 130;      // statistics records and table slots in use
constexpr int kTableRoom = 134;      // slots allocated behind each request header
constexpr int kMaxPorts = 128;       // most ports taken from the driver
constexpr int kPortNameLength = 11;  // a name slot holds 11 characters and a NUL

// The wire layouts, shared with the stand-in driver.
using RequestHeader = TpRequestHeader;
using NameSlot = TpNameSlot;
using CounterSlot = TpCounterSlot;

constexpr uint16_t kStatusDtr = TP_STATUS_DTR;
constexpr uint16_t kStatusRts = TP_STATUS_RTS;
constexpr uint16_t kStatusCd = TP_STATUS_CD;
constexpr uint16_t kStatusDsr = TP_STATUS_DSR;
constexpr uint16_t kStatusCts = TP_STATUS_CTS;
constexpr uint16_t kStatusOpen = TP_STATUS_OPEN;

struct StatsRecord {
    uint32_t TxPrevRaw;
    uint32_t RxPrevRaw;
    uint8_t Reserved8[8];
    uint32_t TxTotal;
    uint32_t RxTotal;
    uint8_t Reserved24[10];
    uint16_t StatusFlags;
    uint32_t TxTickCnt;
    uint32_t TxMinCnt;
    uint32_t TxHourCnt;
    uint32_t TxDayCnt;
    uint32_t RxTickCnt;
    uint32_t RxMinCnt;
    uint32_t RxHourCnt;
    uint32_t RxDayCnt;
    uint8_t Reserved68[4];
    uint32_t TxMinCntWrk;
    uint32_t TxHourCntWrk;
    uint32_t TxDayCntWrk;
    uint8_t Reserved84[4];
    uint32_t RxMinCntWrk;
    uint32_t RxHourCntWrk;
    uint32_t RxDayCntWrk;
    uint32_t TxCPSInst;
    uint32_t TxMinCPS;
    uint8_t Reserved108[8];
    uint32_t RxCPSInst;
    uint32_t RxMinCPS;
    uint8_t Reserved124[8];
    uint32_t TxCPSMinAvMax;
    uint32_t TxCPSHourAvMax;
    uint32_t TxCPSDayAvMax;
    uint32_t RxCPSMinAvMax;
    uint32_t RxCPSHourAvMax;
    uint32_t RxCPSDayAvMax;
    uint32_t TxCPSMinAvMaxWrk;
    uint32_t TxCPSHourAvMaxWrk;
    uint32_t TxCPSDayAvMaxWrk;
    uint32_t RxCPSMinAvMaxWrk;
    uint32_t RxCPSHourAvMaxWrk;
    uint32_t RxCPSDayAvMaxWrk;
    uint32_t CDRuns;
    uint32_t CDDayRuns;
    uint32_t CDDayRunsWrk;
    uint32_t CDRunTime;
    uint32_t CDHourRunTime;
    uint32_t CDDayRunTime;
    uint32_t CDHourRunTimeWrk;
    uint32_t CDDayRunTimeWrk;
    uint16_t OverrunErrors;
    uint16_t FramingErrors;
    uint16_t ParityErrors;
    uint16_t OverrunPrevRaw;
    uint16_t FramingPrevRaw;
    uint16_t ParityPrevRaw;
};
static_assert(sizeof(StatsRecord) == 224, "statistics record is 224 bytes");
static_assert(offsetof(StatsRecord, TxTotal) == 16, "record layout");
static_assert(offsetof(StatsRecord, StatusFlags) == 34, "record layout");
static_assert(offsetof(StatsRecord, TxTickCnt) == 36, "record layout");
static_assert(offsetof(StatsRecord, RxDayCnt) == 64, "record layout");
static_assert(offsetof(StatsRecord, TxMinCntWrk) == 72, "record layout");
static_assert(offsetof(StatsRecord, RxMinCntWrk) == 88, "record layout");
static_assert(offsetof(StatsRecord, TxCPSInst) == 100, "record layout");
static_assert(offsetof(StatsRecord, RxCPSInst) == 116, "record layout");
static_assert(offsetof(StatsRecord, TxCPSMinAvMax) == 132, "record layout");
static_assert(offsetof(StatsRecord, RxCPSDayAvMaxWrk) == 176, "record layout");
static_assert(offsetof(StatsRecord, CDRuns) == 180, "record layout");
static_assert(offsetof(StatsRecord, CDDayRunTimeWrk) == 208, "record layout");
static_assert(offsetof(StatsRecord, OverrunErrors) == 212, "record layout");
static_assert(offsetof(StatsRecord, ParityPrevRaw) == 222, "record layout");

struct PortNameTable {
    RequestHeader Header;
    NameSlot Slots[kTableRoom];
};
static_assert(offsetof(PortNameTable, Slots) == 16, "names follow the header");

struct CounterTable {
    RequestHeader Header;
    CounterSlot Slots[kTableRoom];
};
static_assert(offsetof(CounterTable, Slots) == 16, "counters follow the header");

// The process-wide data areas, zero-filled when created.
struct PortTables {
    PortNameTable Names;
    CounterTable Counters;
    StatsRecord Records[kPortSlots];
};

std::unique_ptr<PortTables> CreatePortTables();

// The slot's name, at most 11 characters even when the driver left no terminator.
std::string PortName(const NameSlot& slot);

// Non-empty names from slot 0 up to the first empty one, at most kMaxPorts.
int CountPorts(const PortNameTable& names);

}  // namespace zorvel
