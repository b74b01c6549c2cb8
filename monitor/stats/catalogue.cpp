#include "monitor/stats/catalogue.h"

namespace zorvel {
namespace {

constexpr MetricType G = MetricType::Gauge;
constexpr MetricType C = MetricType::Counter;
constexpr bool kSet = true;
constexpr bool kShown = false;

// Each fills the one member its kind reads.
constexpr ValueSource Record(uint32_t StatsRecord::*field) {
    return {ValueSource::Kind::Record32, field};
}

constexpr ValueSource Record(uint16_t StatsRecord::*field) {
    return {ValueSource::Kind::Record16, nullptr, field};
}

constexpr ValueSource Slot(uint32_t CounterSlot::*field) {
    return {ValueSource::Kind::Slot32, nullptr, nullptr, field};
}

constexpr ValueSource Slot(uint16_t CounterSlot::*field) {
    return {ValueSource::Kind::Slot16, nullptr, nullptr, nullptr, field};
}

constexpr ValueSource Signal(uint16_t bit) {
    return {ValueSource::Kind::Signal, nullptr, nullptr, nullptr, nullptr, bit};
}

constexpr ValueSource ErrorSum() {
    return ValueSource{};
}

}  // namespace

// Characters are bytes on this board, rates are bytes per second. Figures that
// only grow until a user reset (or the driver's wrap) are counters; a period's
// figure, finished or running, falls back at every period end and is a gauge.
// The millisecond fields CDRunTime and CDHourRunTimeWrk are shown in seconds,
// the other run times as they are kept.
const Statistic kStatistics[] = {
    {"Open", Signal(kStatusOpen), 1, kShown, "zorvel_open", G,
     "1 while the port is open, else 0."},
    {"CTS", Signal(kStatusCts), 1, kShown, "zorvel_cts", G,
     "clear to send, 1 or 0."},
    {"DSR", Signal(kStatusDsr), 1, kShown, "zorvel_dsr", G,
     "data set ready, 1 or 0."},
    {"CD ", Signal(kStatusCd), 1, kShown, "zorvel_cd", G,
     "carrier detect, 1 or 0."},
    {"RTS", Signal(kStatusRts), 1, kShown, "zorvel_rts", G,
     "request to send, 1 or 0."},
    {"DTR", Signal(kStatusDtr), 1, kShown, "zorvel_dtr", G,
     "data terminal ready, 1 or 0."},
    {"TxTotal", Record(&StatsRecord::TxTotal), 1, kSet, "zorvel_tx_bytes_total", C,
     "characters transmitted since the last reset."},
    {"RxTotal", Record(&StatsRecord::RxTotal), 1, kSet, "zorvel_rx_bytes_total", C,
     "characters received since the last reset."},
    {"TxCPSInst", Record(&StatsRecord::TxCPSInst), 1, kShown, "zorvel_tx_inst_bytes_per_second", G,
     "transmit rate over the last sample."},
    {"RxCPSInst", Record(&StatsRecord::RxCPSInst), 1, kShown, "zorvel_rx_inst_bytes_per_second", G,
     "receive rate over the last sample."},
    {"Errors", ErrorSum(), 1, kSet, "zorvel_errors_total", C,
     "overrun, framing and parity errors since the last reset."},
    {"TxMinCPS", Record(&StatsRecord::TxMinCPS), 1, kSet, "zorvel_tx_min_bytes_per_second", G,
     "average transmit rate over the last minute."},
    {"RxMinCPS", Record(&StatsRecord::RxMinCPS), 1, kSet, "zorvel_rx_min_bytes_per_second", G,
     "average receive rate over the last minute."},
    {"TxCPSMinAvMax", Record(&StatsRecord::TxCPSMinAvMax), 1, kSet, "zorvel_tx_min_av_max_bytes_per_second", G,
     "highest transmit rate of a sample in the last minute."},
    {"RxCPSMinAvMax", Record(&StatsRecord::RxCPSMinAvMax), 1, kSet, "zorvel_rx_min_av_max_bytes_per_second", G,
     "highest receive rate of a sample in the last minute."},
    {"TxCPSHourAvMax", Record(&StatsRecord::TxCPSHourAvMax), 1, kSet, "zorvel_tx_hour_av_max_bytes_per_second", G,
     "highest minute's average transmit rate in the last hour."},
    {"RxCPSHourAvMax", Record(&StatsRecord::RxCPSHourAvMax), 1, kSet, "zorvel_rx_hour_av_max_bytes_per_second", G,
     "highest minute's average receive rate in the last hour."},
    {"TxCPSDayAvMax", Record(&StatsRecord::TxCPSDayAvMax), 1, kSet, "zorvel_tx_day_av_max_bytes_per_second", G,
     "highest minute's average transmit rate in the last day."},
    {"RxCPSDayAvMax", Record(&StatsRecord::RxCPSDayAvMax), 1, kSet, "zorvel_rx_day_av_max_bytes_per_second", G,
     "highest minute's average receive rate in the last day."},
    {"TxTotalRaw", Slot(&CounterSlot::TxTotalRaw), 1, kSet, "zorvel_tx_raw_bytes_total", C,
     "the driver's running count of characters transmitted."},
    {"RxTotalRaw", Slot(&CounterSlot::RxTotalRaw), 1, kSet, "zorvel_rx_raw_bytes_total", C,
     "the driver's running count of characters received."},
    {"TxMinCnt", Record(&StatsRecord::TxMinCnt), 1, kSet, "zorvel_tx_min_bytes", G,
     "characters transmitted in the last minute."},
    {"TxHourCnt", Record(&StatsRecord::TxHourCnt), 1, kSet, "zorvel_tx_hour_bytes", G,
     "characters transmitted in the last hour."},
    {"TxDayCnt", Record(&StatsRecord::TxDayCnt), 1, kSet, "zorvel_tx_day_bytes", G,
     "characters transmitted in the last day."},
    {"RxMinCnt", Record(&StatsRecord::RxMinCnt), 1, kSet, "zorvel_rx_min_bytes", G,
     "characters received in the last minute."},
    {"RxHourCnt", Record(&StatsRecord::RxHourCnt), 1, kSet, "zorvel_rx_hour_bytes", G,
     "characters received in the last hour."},
    {"RxDayCnt", Record(&StatsRecord::RxDayCnt), 1, kSet, "zorvel_rx_day_bytes", G,
     "characters received in the last day."},
    {"TxMinCntWrk", Record(&StatsRecord::TxMinCntWrk), 1, kSet, "zorvel_tx_min_wrk_bytes", G,
     "characters transmitted so far in the current minute."},
    {"TxHourCntWrk", Record(&StatsRecord::TxHourCntWrk), 1, kSet, "zorvel_tx_hour_wrk_bytes", G,
     "characters transmitted in the completed minutes of the current hour."},
    {"TxDayCntWrk", Record(&StatsRecord::TxDayCntWrk), 1, kSet, "zorvel_tx_day_wrk_bytes", G,
     "characters transmitted in the completed hours of the current day."},
    {"RxMinCntWrk", Record(&StatsRecord::RxMinCntWrk), 1, kSet, "zorvel_rx_min_wrk_bytes", G,
     "characters received so far in the current minute."},
    {"RxHourCntWrk", Record(&StatsRecord::RxHourCntWrk), 1, kSet, "zorvel_rx_hour_wrk_bytes", G,
     "characters received in the completed minutes of the current hour."},
    {"RxDayCntWrk", Record(&StatsRecord::RxDayCntWrk), 1, kSet, "zorvel_rx_day_wrk_bytes", G,
     "characters received in the completed hours of the current day."},
    {"TxCPSMinAvMaxWrk", Record(&StatsRecord::TxCPSMinAvMaxWrk), 1, kSet, "zorvel_tx_min_av_max_wrk_bytes_per_second", G,
     "highest transmit rate of a sample so far in the current minute."},
    {"TxCPSHourAvMaxWrk", Record(&StatsRecord::TxCPSHourAvMaxWrk), 1, kSet, "zorvel_tx_hour_av_max_wrk_bytes_per_second", G,
     "highest minute's average transmit rate so far in the current hour."},
    {"TxCPSDayAvMaxWrk", Record(&StatsRecord::TxCPSDayAvMaxWrk), 1, kSet, "zorvel_tx_day_av_max_wrk_bytes_per_second", G,
     "highest minute's average transmit rate so far in the current day."},
    {"RxCPSMinAvMaxWrk", Record(&StatsRecord::RxCPSMinAvMaxWrk), 1, kSet, "zorvel_rx_min_av_max_wrk_bytes_per_second", G,
     "highest receive rate of a sample so far in the current minute."},
    {"RxCPSHourAvMaxWrk", Record(&StatsRecord::RxCPSHourAvMaxWrk), 1, kSet, "zorvel_rx_hour_av_max_wrk_bytes_per_second", G,
     "highest minute's average receive rate so far in the current hour."},
    {"RxCPSDayAvMaxWrk", Record(&StatsRecord::RxCPSDayAvMaxWrk), 1, kSet, "zorvel_rx_day_av_max_wrk_bytes_per_second", G,
     "highest minute's average receive rate so far in the current day."},
    {"CDRuns", Record(&StatsRecord::CDRuns), 1, kSet, "zorvel_cd_runs_total", C,
     "times carrier detect came on since the last reset."},
    {"CDDayRuns", Record(&StatsRecord::CDDayRuns), 1, kSet, "zorvel_cd_day_runs", G,
     "times carrier detect came on in the last day."},
    {"CDDayRunsWrk", Record(&StatsRecord::CDDayRunsWrk), 1, kSet, "zorvel_cd_day_runs_wrk", G,
     "times carrier detect came on so far in the current day."},
    {"CDRunTime", Record(&StatsRecord::CDRunTime), 1000, kSet, "zorvel_cd_run_time_seconds_total", C,
     "time with carrier detect on since the last reset."},
    {"CDHourRunTime", Record(&StatsRecord::CDHourRunTime), 1, kSet, "zorvel_cd_hour_run_time_seconds", G,
     "time with carrier detect on in the last hour."},
    {"CDDayRunTime", Record(&StatsRecord::CDDayRunTime), 1, kSet, "zorvel_cd_day_run_time_seconds", G,
     "time with carrier detect on in the last day."},
    {"CDHourRunTimeWrk", Record(&StatsRecord::CDHourRunTimeWrk), 1000, kSet, "zorvel_cd_hour_run_time_wrk_seconds", G,
     "time with carrier detect on so far in the current hour."},
    {"CDDayRunTimeWrk", Record(&StatsRecord::CDDayRunTimeWrk), 1, kSet, "zorvel_cd_day_run_time_wrk_seconds", G,
     "time with carrier detect on in the completed hours of the current day."},
    {"StatusFlags", Record(&StatsRecord::StatusFlags), 1, kSet, "zorvel_status_flags", G,
     "the port's status bits at the last sample, as a number."},
    {"TxPkts", Slot(&CounterSlot::TxPkts), 1, kSet, "zorvel_tx_pkts_total", C,
     "the driver's transmit packet count (16 bits, wraps)."},
    {"RxPkts", Slot(&CounterSlot::RxPkts), 1, kSet, "zorvel_rx_pkts_total", C,
     "the driver's receive packet count (16 bits, wraps)."},
    {"OverrunErrors", Record(&StatsRecord::OverrunErrors), 1, kSet, "zorvel_overrun_errors_total", C,
     "overrun errors since the last reset."},
    {"FramingErrors", Record(&StatsRecord::FramingErrors), 1, kSet, "zorvel_framing_errors_total", C,
     "framing errors since the last reset."},
    {"ParityErrors", Record(&StatsRecord::ParityErrors), 1, kSet, "zorvel_parity_errors_total", C,
     "parity errors since the last reset."},
    {"OverrunErrorsRaw", Slot(&CounterSlot::OverrunErrorsRaw), 1, kSet, "zorvel_overrun_errors_raw_total", C,
     "the driver's running count of overrun errors."},
    {"FramingErrorsRaw", Slot(&CounterSlot::FramingErrorsRaw), 1, kSet, "zorvel_framing_errors_raw_total", C,
     "the driver's running count of framing errors."},
    {"ParityErrorsRaw", Slot(&CounterSlot::ParityErrorsRaw), 1, kSet, "zorvel_parity_errors_raw_total", C,
     "the driver's running count of parity errors."},
    {nullptr, {}, 1, kShown, nullptr, G, nullptr},
};
static_assert(sizeof kStatistics / sizeof kStatistics[0] == kCatalogueSize + 1, "56 statistics and the end marker");

int CountStatistics() {
    int count = 0;
    while (kStatistics[count].Name != nullptr) {
        ++count;
    }
    return count;
}

int StatisticPosition(const std::string& name) {
    for (int s = 0; kStatistics[s].Name != nullptr; ++s) {
        if (name == kStatistics[s].Name) {
            return s;
        }
    }
    return -1;
}

uint32_t ReadStatistic(const Statistic& statistic, const CounterSlot& slot, const StatsRecord& record) {
    const ValueSource& source = statistic.Source;
    uint32_t value = 0;
    switch (source.Where) {
        case ValueSource::Kind::Record32: value = record.*source.Record32; break;
        case ValueSource::Kind::Record16: value = record.*source.Record16; break;
        case ValueSource::Kind::Slot32: value = slot.*source.Slot32; break;
        case ValueSource::Kind::Slot16: value = slot.*source.Slot16; break;
        case ValueSource::Kind::Signal: value = (slot.PortStatus & source.Bit) != 0 ? 1u : 0u; break;
        case ValueSource::Kind::ErrorSum:
            value = uint32_t{record.OverrunErrors} + record.FramingErrors + record.ParityErrors;
            break;
    }
    return value / statistic.Divisor;
}

void StoreStatistic(const Statistic& statistic, CounterSlot& slot, StatsRecord& record, uint32_t value) {
    const ValueSource& source = statistic.Source;
    const uint16_t low = static_cast<uint16_t>(value);
    switch (source.Where) {
        case ValueSource::Kind::Record32: record.*source.Record32 = value; break;
        case ValueSource::Kind::Record16: record.*source.Record16 = low; break;
        // The live slot only until the next read; the previous-raw fields stay,
        // so the next tick's deltas are not disturbed.
        case ValueSource::Kind::Slot32: slot.*source.Slot32 = value; break;
        case ValueSource::Kind::Slot16: slot.*source.Slot16 = low; break;
        case ValueSource::Kind::Signal: break;
        case ValueSource::Kind::ErrorSum: record.OverrunErrors = record.FramingErrors = record.ParityErrors = 0; break;
    }
}

bool ReadsLiveSlot(const Statistic& statistic) {
    const ValueSource::Kind where = statistic.Source.Where;
    return where == ValueSource::Kind::Slot32 || where == ValueSource::Kind::Slot16 ||
           where == ValueSource::Kind::Signal;
}

bool IsCountOrSignal(const Statistic& statistic) {
    return statistic.Type == MetricType::Counter || ReadsLiveSlot(statistic);
}

}  // namespace zorvel
