/* Counters that move with time like the traffic of a busy board: each port
   has a kind that fixes its signals and how much it carries. */
#ifndef TOOLS_STANDIN_SI_TRAFFIC_H
#define TOOLS_STANDIN_SI_TRAFFIC_H

#include <stdint.h>

#include "common/driver_wire.h"
#include "tools/standin/si_config.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef enum SiPortKind {
    SI_KIND_LINE,    /* always up, near the line rate of 921,600 bit/s */
    SI_KIND_DIRECT,  /* always up, steady traffic */
    SI_KIND_MODEM,   /* open; carrier comes and goes, traffic only with it */
    SI_KIND_CLOSED,  /* never opened */
    SI_KIND_SESSION, /* opened and closed now and then, light traffic while open */
    SI_KIND_IDLE     /* open, no far end, no traffic */
} SiPortKind;

typedef enum SiEvent {
    SI_EVENT_OPENED,
    SI_EVENT_CLOSED,
    SI_EVENT_CD_ON,
    SI_EVENT_CD_OFF,
    SI_EVENT_OVERRUN,
    SI_EVENT_FRAMING,
    SI_EVENT_PARITY
} SiEvent;

typedef void (*SiEventSink)(void* context, uint64_t ms, uint32_t port, SiEvent event);

#define SI_LINE_RATE_CPS 92160u /* 921,600 bit/s at ten bits a character */
#define SI_PACKET_SIZE 64u      /* characters per packet, on average */
#define SI_CATCH_UP_MS 600000u  /* a longer pause between requests counts as this long */

typedef struct SiPort {
    TpCounterSlot counters;
    uint64_t lifetimeTx; /* characters since the start, across resets */
    uint64_t lifetimeRx;
    uint32_t kind;
    uint32_t txBase; /* characters per second while carrying traffic */
    uint32_t rxBase;
    uint32_t txRate; /* this second's rates */
    uint32_t rxRate;
    uint32_t txCarry; /* character-milliseconds short of a whole character */
    uint32_t rxCarry;
    uint32_t txPacketCarry;
    uint32_t rxPacketCarry;
    uint32_t secondsToChange; /* until a session opens or closes, or a modem's carrier changes */
    int32_t up;               /* a session is open, a modem has carrier */
    int32_t cdForced;         /* -1 follows the traffic, else 0 or 1 */
} SiPort;

typedef struct SiTraffic {
    uint32_t random;
    uint32_t ports;
    uint64_t lastMs;
    uint32_t msIntoSecond;
    SiPort port[SI_MAX_PORTS];
} SiTraffic;

void si_traffic_start(SiTraffic* traffic, uint32_t ports, uint32_t seed, uint64_t nowMs);
/* Brings the counters forward to `nowMs`, reporting what happened on the way.
   A clock that went back only moves the starting point. */
void si_traffic_advance(SiTraffic* traffic, uint64_t nowMs, SiEventSink sink, void* context);
/* Every counter back to 0, as after a driver restart. */
void si_traffic_reset(SiTraffic* traffic);
int si_traffic_carrier(const SiTraffic* traffic, uint32_t port);
/* state -1 lets carrier detect follow the traffic again. */
void si_traffic_force_carrier(SiTraffic* traffic, uint32_t port, int32_t state);

#ifdef __cplusplus
}
#endif

#endif
