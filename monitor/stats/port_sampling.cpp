#include "monitor/stats/port_sampling.h"

namespace zorvel {
namespace {

// A driver counter that went down (restarted driver) or wrapped counts nothing
// this tick; the caller takes the new value as the baseline.
uint32_t Rise(uint32_t now, uint32_t before) {
    return now > before ? now - before : 0;
}

void AddErrors(uint16_t& sum, uint16_t& previous, uint16_t raw) {
    if (raw > previous) {
        sum = static_cast<uint16_t>(sum + (raw - previous));
    }
    previous = raw;
}

void RaisePeak(uint32_t& peak, uint32_t value) {
    if (value > peak) {
        peak = value;
    }
}

// The day's peak only moves when the hour's does, so a minute rate that stays
// below an hour peak carried over from the last run never reaches the day peak.
void RaiseHourAndDayPeaks(uint32_t& hourPeak, uint32_t& dayPeak, uint32_t minuteRate) {
    if (minuteRate > hourPeak) {
        hourPeak = minuteRate;
        RaisePeak(dayPeak, minuteRate);
    }
}

}  // namespace

uint32_t CharsPerSecond(uint32_t count, uint32_t ms) {
    const uint64_t rate = static_cast<uint64_t>(count) * 1000u / ms;
    return rate > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(rate);
}

void SamplePort(StatsRecord& record, const CounterSlot& slot, uint32_t elapsed) {
    if (slot.PortStatus & kStatusCd) {
        if (!(record.StatusFlags & kStatusCd)) {
            ++record.CDRuns;
            ++record.CDDayRunsWrk;
        }
        record.CDRunTime += elapsed;
        record.CDHourRunTimeWrk += elapsed;
    }
    record.StatusFlags = slot.PortStatus;

    record.TxTickCnt = Rise(slot.TxTotalRaw, record.TxPrevRaw);
    record.TxPrevRaw = slot.TxTotalRaw;
    record.RxTickCnt = Rise(slot.RxTotalRaw, record.RxPrevRaw);
    record.RxPrevRaw = slot.RxTotalRaw;

    if (elapsed > 0) {
        record.TxCPSInst = CharsPerSecond(record.TxTickCnt, elapsed);
        record.RxCPSInst = CharsPerSecond(record.RxTickCnt, elapsed);
    }

    record.TxMinCntWrk += record.TxTickCnt;
    record.RxMinCntWrk += record.RxTickCnt;
    record.TxTotal += record.TxTickCnt;
    record.RxTotal += record.RxTickCnt;

    RaisePeak(record.TxCPSMinAvMaxWrk, record.TxCPSInst);
    RaisePeak(record.RxCPSMinAvMaxWrk, record.RxCPSInst);

    AddErrors(record.OverrunErrors, record.OverrunPrevRaw, slot.OverrunErrorsRaw);
    AddErrors(record.FramingErrors, record.FramingPrevRaw, slot.FramingErrorsRaw);
    AddErrors(record.ParityErrors, record.ParityPrevRaw, slot.ParityErrorsRaw);
}

void EndMinute(StatsRecord& record, uint32_t minuteMs) {
    if (minuteMs != 0) {
        record.TxMinCPS = CharsPerSecond(record.TxMinCntWrk, minuteMs);
        record.RxMinCPS = CharsPerSecond(record.RxMinCntWrk, minuteMs);
    }
    record.TxMinCnt = record.TxMinCntWrk;
    record.RxMinCnt = record.RxMinCntWrk;

    RaiseHourAndDayPeaks(record.TxCPSHourAvMaxWrk, record.TxCPSDayAvMaxWrk, record.TxMinCPS);
    RaiseHourAndDayPeaks(record.RxCPSHourAvMaxWrk, record.RxCPSDayAvMaxWrk, record.RxMinCPS);

    record.TxHourCntWrk += record.TxMinCntWrk;
    record.RxHourCntWrk += record.RxMinCntWrk;
    record.TxMinCntWrk = 0;
    record.RxMinCntWrk = 0;

    record.TxCPSMinAvMax = record.TxCPSMinAvMaxWrk;
    record.TxCPSMinAvMaxWrk = 0;
    record.RxCPSMinAvMax = record.RxCPSMinAvMaxWrk;
    record.RxCPSMinAvMaxWrk = 0;
}

void EndHour(StatsRecord& record) {
    record.CDHourRunTime = record.CDHourRunTimeWrk / 1000;
    record.CDHourRunTimeWrk = 0;
    record.CDDayRunTimeWrk += record.CDHourRunTime;

    record.TxHourCnt = record.TxHourCntWrk;
    record.RxHourCnt = record.RxHourCntWrk;
    record.TxDayCntWrk += record.TxHourCnt;
    record.RxDayCntWrk += record.RxHourCnt;

    record.TxCPSHourAvMax = record.TxCPSHourAvMaxWrk;
    record.RxCPSHourAvMax = record.RxCPSHourAvMaxWrk;

    record.TxHourCntWrk = 0;
    record.RxHourCntWrk = 0;
    record.TxCPSHourAvMaxWrk = 0;
    record.RxCPSHourAvMaxWrk = 0;
}

void EndDay(StatsRecord& record) {
    record.CDDayRuns = record.CDDayRunsWrk;
    record.CDDayRunsWrk = 0;
    record.CDDayRunTime = record.CDDayRunTimeWrk;
    record.CDDayRunTimeWrk = 0;

    record.TxDayCnt = record.TxDayCntWrk;
    record.RxDayCnt = record.RxDayCntWrk;
    record.TxDayCntWrk = 0;
    record.RxDayCntWrk = 0;

    record.TxCPSDayAvMax = record.TxCPSDayAvMaxWrk;
    record.TxCPSDayAvMaxWrk = 0;
    record.RxCPSDayAvMax = record.RxCPSDayAvMaxWrk;
    record.RxCPSDayAvMaxWrk = 0;
}

}  // namespace zorvel
