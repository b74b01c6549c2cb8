/* The stand-in for the board's driver: answers the port list, counter read
   and trace requests over one buffer that is both input and output, the way a
   buffered control call hands it over. */
#ifndef TOOLS_STANDIN_SI_STANDIN_H
#define TOOLS_STANDIN_SI_STANDIN_H

#include <stdint.h>

#include "tools/standin/si_config.h"
#include "tools/standin/si_flood.h"
#include "tools/standin/si_trace.h"
#include "tools/standin/si_traffic.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum SiResult {
    SI_OK,
    SI_SHORT_INPUT,     /* shorter than the request header */
    SI_SHORT_OUTPUT,    /* no room for the smallest reply */
    SI_BAD_REQUEST,     /* unknown request code or a slot size that does not match it */
    SI_FAILED_ON_DEMAND /* "fail N" */
} SiResult;

typedef enum SiStatsKind {
    SI_STATS_PORT_LIST,
    SI_STATS_COUNTER_READ,
    SI_STATS_TRACE,
    SI_STATS_OTHER,
    SI_STATS_KINDS
} SiStatsKind;

typedef struct SiRequestStats {
    uint32_t served;
    uint32_t refused;
    uint32_t failed;
    uint32_t lastIn;
    uint32_t lastOut;
} SiRequestStats;

typedef struct SiStandIn {
    SiConfig config;
    SiTraffic traffic;
    SiTrace trace;
    SiFlood flood;
    uint32_t failNext;
    uint32_t burstNext;
    uint32_t countNext;
    int32_t countPending;
    SiRequestStats stats[SI_STATS_KINDS];
} SiStandIn;

/* `nowMs` is local time in milliseconds, which also stamps the trace lines. */
void si_standin_start(SiStandIn* standIn, const SiConfig* config, uint64_t nowMs);

/* `buffer` holds at least max(inLen, outLen) bytes, the request in its first
   inLen. Nothing is written past outLen, and nothing at all unless the result
   is SI_OK; `written` is then the length of the reply. */
SiResult si_standin_request(SiStandIn* standIn, uint8_t* buffer, uint32_t inLen, uint32_t outLen, uint64_t nowMs,
                            uint32_t* written);

#ifdef __cplusplus
}
#endif

#endif
