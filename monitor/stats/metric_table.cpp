#include "monitor/stats/metric_table.h"

namespace zorvel {
namespace {

constexpr MetricType G = MetricType::Gauge;
constexpr MetricType C = MetricType::Counter;
constexpr bool kLive = true;
constexpr bool kRecord = false;

}  // namespace

// Characters are bytes on this board, rates are bytes per second. Figures that
// only grow until a user reset (or the driver's wrap) are counters; a period's
// figure, finished or running, falls back at every period end and is a gauge.
const MetricInfo kMetrics[] = {
    {"Open", "zorvel_open", G, kLive, "1 while the port is open, else 0."},
    {"CTS", "zorvel_cts", G, kLive, "clear to send, 1 or 0."},
    {"DSR", "zorvel_dsr", G, kLive, "data set ready, 1 or 0."},
    {"CD ", "zorvel_cd", G, kLive, "carrier detect, 1 or 0."},
    {"RTS", "zorvel_rts", G, kLive, "request to send, 1 or 0."},
    {"DTR", "zorvel_dtr", G, kLive, "data terminal ready, 1 or 0."},
    {"TxTotal", "zorvel_tx_bytes_total", C, kRecord, "characters transmitted since the last reset."},
    {"RxTotal", "zorvel_rx_bytes_total", C, kRecord, "characters received since the last reset."},
    {"TxCPSInst", "zorvel_tx_inst_bytes_per_second", G, kRecord, "transmit rate over the last sample."},
    {"RxCPSInst", "zorvel_rx_inst_bytes_per_second", G, kRecord, "receive rate over the last sample."},
    {"Errors", "zorvel_errors_total", C, kRecord, "overrun, framing and parity errors since the last reset."},
    {"TxMinCPS", "zorvel_tx_min_bytes_per_second", G, kRecord, "average transmit rate over the last minute."},
    {"RxMinCPS", "zorvel_rx_min_bytes_per_second", G, kRecord, "average receive rate over the last minute."},
    {"TxCPSMinAvMax", "zorvel_tx_min_av_max_bytes_per_second", G, kRecord,
     "highest transmit rate of a sample in the last minute."},
    {"RxCPSMinAvMax", "zorvel_rx_min_av_max_bytes_per_second", G, kRecord,
     "highest receive rate of a sample in the last minute."},
    {"TxCPSHourAvMax", "zorvel_tx_hour_av_max_bytes_per_second", G, kRecord,
     "highest minute's average transmit rate in the last hour."},
    {"RxCPSHourAvMax", "zorvel_rx_hour_av_max_bytes_per_second", G, kRecord,
     "highest minute's average receive rate in the last hour."},
    {"TxCPSDayAvMax", "zorvel_tx_day_av_max_bytes_per_second", G, kRecord,
     "highest minute's average transmit rate in the last day."},
    {"RxCPSDayAvMax", "zorvel_rx_day_av_max_bytes_per_second", G, kRecord,
     "highest minute's average receive rate in the last day."},
    {"TxTotalRaw", "zorvel_tx_raw_bytes_total", C, kLive, "the driver's running count of characters transmitted."},
    {"RxTotalRaw", "zorvel_rx_raw_bytes_total", C, kLive, "the driver's running count of characters received."},
    {"TxMinCnt", "zorvel_tx_min_bytes", G, kRecord, "characters transmitted in the last minute."},
    {"TxHourCnt", "zorvel_tx_hour_bytes", G, kRecord, "characters transmitted in the last hour."},
    {"TxDayCnt", "zorvel_tx_day_bytes", G, kRecord, "characters transmitted in the last day."},
    {"RxMinCnt", "zorvel_rx_min_bytes", G, kRecord, "characters received in the last minute."},
    {"RxHourCnt", "zorvel_rx_hour_bytes", G, kRecord, "characters received in the last hour."},
    {"RxDayCnt", "zorvel_rx_day_bytes", G, kRecord, "characters received in the last day."},
    {"TxMinCntWrk", "zorvel_tx_min_wrk_bytes", G, kRecord, "characters transmitted so far in the current minute."},
    {"TxHourCntWrk", "zorvel_tx_hour_wrk_bytes", G, kRecord,
     "characters transmitted in the completed minutes of the current hour."},
    {"TxDayCntWrk", "zorvel_tx_day_wrk_bytes", G, kRecord,
     "characters transmitted in the completed hours of the current day."},
    {"RxMinCntWrk", "zorvel_rx_min_wrk_bytes", G, kRecord, "characters received so far in the current minute."},
    {"RxHourCntWrk", "zorvel_rx_hour_wrk_bytes", G, kRecord,
     "characters received in the completed minutes of the current hour."},
    {"RxDayCntWrk", "zorvel_rx_day_wrk_bytes", G, kRecord,
     "characters received in the completed hours of the current day."},
    {"TxCPSMinAvMaxWrk", "zorvel_tx_min_av_max_wrk_bytes_per_second", G, kRecord,
     "highest transmit rate of a sample so far in the current minute."},
    {"TxCPSHourAvMaxWrk", "zorvel_tx_hour_av_max_wrk_bytes_per_second", G, kRecord,
     "highest minute's average transmit rate so far in the current hour."},
    {"TxCPSDayAvMaxWrk", "zorvel_tx_day_av_max_wrk_bytes_per_second", G, kRecord,
     "highest minute's average transmit rate so far in the current day."},
    {"RxCPSMinAvMaxWrk", "zorvel_rx_min_av_max_wrk_bytes_per_second", G, kRecord,
     "highest receive rate of a sample so far in the current minute."},
    {"RxCPSHourAvMaxWrk", "zorvel_rx_hour_av_max_wrk_bytes_per_second", G, kRecord,
     "highest minute's average receive rate so far in the current hour."},
    {"RxCPSDayAvMaxWrk", "zorvel_rx_day_av_max_wrk_bytes_per_second", G, kRecord,
     "highest minute's average receive rate so far in the current day."},
    {"CDRuns", "zorvel_cd_runs_total", C, kRecord, "times carrier detect came on since the last reset."},
    {"CDDayRuns", "zorvel_cd_day_runs", G, kRecord, "times carrier detect came on in the last day."},
    {"CDDayRunsWrk", "zorvel_cd_day_runs_wrk", G, kRecord, "times carrier detect came on so far in the current day."},
    {"CDRunTime", "zorvel_cd_run_time_seconds_total", C, kRecord, "time with carrier detect on since the last reset."},
    {"CDHourRunTime", "zorvel_cd_hour_run_time_seconds", G, kRecord, "time with carrier detect on in the last hour."},
    {"CDDayRunTime", "zorvel_cd_day_run_time_seconds", G, kRecord, "time with carrier detect on in the last day."},
    {"CDHourRunTimeWrk", "zorvel_cd_hour_run_time_wrk_seconds", G, kRecord,
     "time with carrier detect on so far in the current hour."},
    {"CDDayRunTimeWrk", "zorvel_cd_day_run_time_wrk_seconds", G, kRecord,
     "time with carrier detect on in the completed hours of the current day."},
    {"StatusFlags", "zorvel_status_flags", G, kRecord, "the port's status bits at the last sample, as a number."},
    {"TxPkts", "zorvel_tx_pkts_total", C, kLive, "the driver's transmit packet count (16 bits, wraps)."},
    {"RxPkts", "zorvel_rx_pkts_total", C, kLive, "the driver's receive packet count (16 bits, wraps)."},
    {"OverrunErrors", "zorvel_overrun_errors_total", C, kRecord, "overrun errors since the last reset."},
    {"FramingErrors", "zorvel_framing_errors_total", C, kRecord, "framing errors since the last reset."},
    {"ParityErrors", "zorvel_parity_errors_total", C, kRecord, "parity errors since the last reset."},
    {"OverrunErrorsRaw", "zorvel_overrun_errors_raw_total", C, kLive, "the driver's running count of overrun errors."},
    {"FramingErrorsRaw", "zorvel_framing_errors_raw_total", C, kLive, "the driver's running count of framing errors."},
    {"ParityErrorsRaw", "zorvel_parity_errors_raw_total", C, kLive, "the driver's running count of parity errors."},
};

const int kMetricCount = static_cast<int>(sizeof kMetrics / sizeof kMetrics[0]);

}  // namespace zorvel
