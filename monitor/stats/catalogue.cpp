#include "monitor/stats/catalogue.h"

namespace zorvel {

const char* const kStatisticNames[] = {
    "Open",
    "CTS",
    "DSR",
    "CD ",
    "RTS",
    "DTR",
    "TxTotal",
    "RxTotal",
    "TxCPSInst",
    "RxCPSInst",
    "Errors",
    "TxMinCPS",
    "RxMinCPS",
    "TxCPSMinAvMax",
    "RxCPSMinAvMax",
    "TxCPSHourAvMax",
    "RxCPSHourAvMax",
    "TxCPSDayAvMax",
    "RxCPSDayAvMax",
    "TxTotalRaw",
    "RxTotalRaw",
    "TxMinCnt",
    "TxHourCnt",
    "TxDayCnt",
    "RxMinCnt",
    "RxHourCnt",
    "RxDayCnt",
    "TxMinCntWrk",
    "TxHourCntWrk",
    "TxDayCntWrk",
    "RxMinCntWrk",
    "RxHourCntWrk",
    "RxDayCntWrk",
    "TxCPSMinAvMaxWrk",
    "TxCPSHourAvMaxWrk",
    "TxCPSDayAvMaxWrk",
    "RxCPSMinAvMaxWrk",
    "RxCPSHourAvMaxWrk",
    "RxCPSDayAvMaxWrk",
    "CDRuns",
    "CDDayRuns",
    "CDDayRunsWrk",
    "CDRunTime",
    "CDHourRunTime",
    "CDDayRunTime",
    "CDHourRunTimeWrk",
    "CDDayRunTimeWrk",
    "StatusFlags",
    "TxPkts",
    "RxPkts",
    "OverrunErrors",
    "FramingErrors",
    "ParityErrors",
    "OverrunErrorsRaw",
    "FramingErrorsRaw",
    "ParityErrorsRaw",
    nullptr,
};

int CountStatistics() {
    int count = 0;
    while (kStatisticNames[count] != nullptr) {
        ++count;
    }
    return count;
}

int StatisticPosition(const std::string& name) {
    for (int s = 0; kStatisticNames[s] != nullptr; ++s) {
        if (name == kStatisticNames[s]) {
            return s;
        }
    }
    return -1;
}

}  // namespace zorvel
