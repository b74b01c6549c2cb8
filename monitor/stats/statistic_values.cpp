#include "monitor/stats/statistic_values.h"

#include <algorithm>

namespace zorvel {
namespace {

uint32_t Signal(uint16_t status, uint16_t bit) {
    return (status & bit) != 0 ? 1u : 0u;
}

void SetOnePort(PortTables& tables, int input, int port, uint32_t value) {
    CounterSlot& s = tables.Counters.Slots[port];
    StatsRecord& r = tables.Records[port];
    const uint16_t low = static_cast<uint16_t>(value);
    switch (input) {
        case 7: r.TxTotal = value; break;
        case 8: r.RxTotal = value; break;
        case 11: r.OverrunErrors = r.FramingErrors = r.ParityErrors = 0; break;
        case 12: r.TxMinCPS = value; break;
        case 13: r.RxMinCPS = value; break;
        case 14: r.TxCPSMinAvMax = value; break;
        case 15: r.RxCPSMinAvMax = value; break;
        case 16: r.TxCPSHourAvMax = value; break;
        case 17: r.RxCPSHourAvMax = value; break;
        case 18: r.TxCPSDayAvMax = value; break;
        case 19: r.RxCPSDayAvMax = value; break;
        // The live slot only until the next read; the previous-raw fields stay,
        // so the next tick's deltas are not disturbed.
        case 20: s.TxTotalRaw = value; break;
        case 21: s.RxTotalRaw = value; break;
        case 22: r.TxMinCnt = value; break;
        case 23: r.TxHourCnt = value; break;
        case 24: r.TxDayCnt = value; break;
        case 25: r.RxMinCnt = value; break;
        case 26: r.RxHourCnt = value; break;
        case 27: r.RxDayCnt = value; break;
        case 28: r.TxMinCntWrk = value; break;
        case 29: r.TxHourCntWrk = value; break;
        case 30: r.TxDayCntWrk = value; break;
        case 31: r.RxMinCntWrk = value; break;
        case 32: r.RxHourCntWrk = value; break;
        case 33: r.RxDayCntWrk = value; break;
        case 34: r.TxCPSMinAvMaxWrk = value; break;
        case 35: r.TxCPSHourAvMaxWrk = value; break;
        case 36: r.TxCPSDayAvMaxWrk = value; break;
        case 37: r.RxCPSMinAvMaxWrk = value; break;
        case 38: r.RxCPSHourAvMaxWrk = value; break;
        case 39: r.RxCPSDayAvMaxWrk = value; break;
        case 40: r.CDRuns = value; break;
        case 41: r.CDDayRuns = value; break;
        case 42: r.CDDayRunsWrk = value; break;
        // The millisecond field takes the value without the factor the display
        // divides by; callers only ever reset to 0.
        case 43: r.CDRunTime = value; break;
        case 44: r.CDHourRunTime = value; break;
        case 45: r.CDDayRunTime = value; break;
        case 46: r.CDHourRunTimeWrk = value; break;
        case 47: r.CDDayRunTimeWrk = value; break;
        case 48: r.StatusFlags = low; break;
        case 49: s.TxPkts = low; break;
        case 50: s.RxPkts = low; break;
        case 51: r.OverrunErrors = low; break;
        case 52: r.FramingErrors = low; break;
        case 53: r.ParityErrors = low; break;
        case 54: s.OverrunErrorsRaw = low; break;
        case 55: s.FramingErrorsRaw = low; break;
        case 56: s.ParityErrorsRaw = low; break;
        default: break;
    }
}

}  // namespace

uint32_t StatisticValue(const PortTables& tables, int input, int port) {
    const CounterSlot& s = tables.Counters.Slots[port];
    const StatsRecord& r = tables.Records[port];
    switch (input) {
        case 1: return Signal(s.PortStatus, kStatusOpen);
        case 2: return Signal(s.PortStatus, kStatusCts);
        case 3: return Signal(s.PortStatus, kStatusDsr);
        case 4: return Signal(s.PortStatus, kStatusCd);
        case 5: return Signal(s.PortStatus, kStatusRts);
        case 6: return Signal(s.PortStatus, kStatusDtr);
        case 7: return r.TxTotal;
        case 8: return r.RxTotal;
        case 9: return r.TxCPSInst;
        case 10: return r.RxCPSInst;
        case 11: return uint32_t{r.OverrunErrors} + r.FramingErrors + r.ParityErrors;
        case 12: return r.TxMinCPS;
        case 13: return r.RxMinCPS;
        case 14: return r.TxCPSMinAvMax;
        case 15: return r.RxCPSMinAvMax;
        case 16: return r.TxCPSHourAvMax;
        case 17: return r.RxCPSHourAvMax;
        case 18: return r.TxCPSDayAvMax;
        case 19: return r.RxCPSDayAvMax;
        case 20: return s.TxTotalRaw;
        case 21: return s.RxTotalRaw;
        case 22: return r.TxMinCnt;
        case 23: return r.TxHourCnt;
        case 24: return r.TxDayCnt;
        case 25: return r.RxMinCnt;
        case 26: return r.RxHourCnt;
        case 27: return r.RxDayCnt;
        case 28: return r.TxMinCntWrk;
        case 29: return r.TxHourCntWrk;
        case 30: return r.TxDayCntWrk;
        case 31: return r.RxMinCntWrk;
        case 32: return r.RxHourCntWrk;
        case 33: return r.RxDayCntWrk;
        case 34: return r.TxCPSMinAvMaxWrk;
        case 35: return r.TxCPSHourAvMaxWrk;
        case 36: return r.TxCPSDayAvMaxWrk;
        case 37: return r.RxCPSMinAvMaxWrk;
        case 38: return r.RxCPSHourAvMaxWrk;
        case 39: return r.RxCPSDayAvMaxWrk;
        case 40: return r.CDRuns;
        case 41: return r.CDDayRuns;
        case 42: return r.CDDayRunsWrk;
        case 43: return r.CDRunTime / 1000;
        case 44: return r.CDHourRunTime;
        case 45: return r.CDDayRunTime;
        case 46: return r.CDHourRunTimeWrk / 1000;
        case 47: return r.CDDayRunTimeWrk;
        case 48: return r.StatusFlags;
        case 49: return s.TxPkts;
        case 50: return s.RxPkts;
        case 51: return r.OverrunErrors;
        case 52: return r.FramingErrors;
        case 53: return r.ParityErrors;
        case 54: return s.OverrunErrorsRaw;
        case 55: return s.FramingErrorsRaw;
        case 56: return s.ParityErrorsRaw;
        default: return kPlaceholderValue;
    }
}

void SetStatistic(PortTables& tables, int rows, int input, int port, uint32_t value) {
    if (port != kAllPorts) {
        SetOnePort(tables, input, port, value);
        return;
    }
    for (int each = 0; each < std::min(rows, kPortSlots); ++each) {
        SetOnePort(tables, input, each, value);
    }
}

}  // namespace zorvel
