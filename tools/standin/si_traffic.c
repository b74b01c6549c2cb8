#include "tools/standin/si_traffic.h"

#include "tools/standin/si_text.h"

static uint32_t Random(SiTraffic* traffic) {
    uint32_t x = traffic->random;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    traffic->random = x;
    return x;
}

static uint32_t Between(SiTraffic* traffic, uint32_t low, uint32_t high) {
    return low + Random(traffic) % (high - low + 1);
}

/* Within 10% of `base`. */
static uint32_t Jitter(SiTraffic* traffic, uint32_t base) {
    return base - base / 10 + Random(traffic) % (base / 5 + 1);
}

/* Port 0 runs at the line rate; the others repeat a pattern, so that even a few ports show every kind. */
static SiPortKind KindOf(uint32_t port) {
    static const SiPortKind pattern[] = {SI_KIND_DIRECT, SI_KIND_MODEM, SI_KIND_CLOSED, SI_KIND_SESSION,
                                         SI_KIND_DIRECT, SI_KIND_MODEM, SI_KIND_IDLE};
    return port == 0 ? SI_KIND_LINE : pattern[(port - 1) % (sizeof pattern / sizeof pattern[0])];
}

static int NaturalCarrier(const SiPort* p) {
    switch (p->kind) {
        case SI_KIND_LINE:
        case SI_KIND_DIRECT: return 1;
        case SI_KIND_MODEM:
        case SI_KIND_SESSION: return p->up;
        default: return 0;
    }
}

static int Carrier(const SiPort* p) {
    return p->cdForced >= 0 ? p->cdForced : NaturalCarrier(p);
}

static int Flowing(const SiPort* p) {
    return p->kind != SI_KIND_CLOSED && p->kind != SI_KIND_IDLE && (p->kind != SI_KIND_SESSION || p->up) && Carrier(p);
}

static void UpdateStatus(SiPort* p) {
    const uint16_t line = TP_STATUS_OPEN | TP_STATUS_DTR | TP_STATUS_RTS;
    const uint16_t farEnd = TP_STATUS_DSR | TP_STATUS_CTS;
    uint16_t status = 0;
    switch (p->kind) {
        case SI_KIND_LINE:
        case SI_KIND_DIRECT: status = line | farEnd; break;
        case SI_KIND_MODEM: status = p->up ? line | farEnd : line; break;
        case SI_KIND_SESSION: status = p->up ? line | farEnd : 0; break;
        case SI_KIND_IDLE: status = line; break;
        default: break;
    }
    p->counters.PortStatus = (uint16_t)(status | (Carrier(p) ? TP_STATUS_CD : 0));
}

static void PickRates(SiTraffic* traffic, SiPort* p) {
    p->txRate = p->kind == SI_KIND_LINE ? Between(traffic, SI_LINE_RATE_CPS - 1200, SI_LINE_RATE_CPS)
                                        : Jitter(traffic, p->txBase);
    p->rxRate = Jitter(traffic, p->rxBase);
}

static uint32_t NextChange(SiTraffic* traffic, const SiPort* p) {
    return p->up ? Between(traffic, 8, 40) : Between(traffic, 4, 20);
}

void si_traffic_start(SiTraffic* traffic, uint32_t ports, uint32_t seed, uint64_t nowMs) {
    si_fill(traffic, 0, sizeof *traffic);
    traffic->random = seed * 2654435761u ^ 0x5A17C0DEu;
    if (traffic->random == 0) {
        traffic->random = 1;
    }
    traffic->ports = ports;
    traffic->lastMs = nowMs;
    for (uint32_t i = 0; i < ports; ++i) {
        SiPort* p = &traffic->port[i];
        p->kind = KindOf(i);
        p->cdForced = -1;
        switch (p->kind) {
            case SI_KIND_LINE: p->rxBase = Between(traffic, 300, 900); break;
            case SI_KIND_DIRECT:
                p->txBase = Between(traffic, 200, 20000);
                p->rxBase = Between(traffic, 100, 8000);
                break;
            case SI_KIND_MODEM:
                p->txBase = Between(traffic, 50, 3000);
                p->rxBase = Between(traffic, 50, 5000);
                break;
            case SI_KIND_SESSION:
                p->txBase = Between(traffic, 10, 500);
                p->rxBase = Between(traffic, 10, 500);
                break;
            default: break;
        }
        p->up = (int32_t)(Random(traffic) & 1);
        p->secondsToChange = NextChange(traffic, p);
        PickRates(traffic, p);
        UpdateStatus(p);
    }
}

static void Count(uint32_t* raw, uint64_t* lifetime, uint32_t* carry, uint32_t* packetCarry, uint16_t* packets,
                  uint32_t rate, uint32_t ms) {
    *carry += rate * ms;
    const uint32_t characters = *carry / 1000u;
    *carry %= 1000u;
    *raw += characters;
    *lifetime += characters;
    *packetCarry += characters;
    *packets = (uint16_t)(*packets + *packetCarry / SI_PACKET_SIZE);
    *packetCarry %= SI_PACKET_SIZE;
}

static void Carry(SiTraffic* traffic, uint32_t ms) {
    for (uint32_t i = 0; i < traffic->ports; ++i) {
        SiPort* p = &traffic->port[i];
        if (!Flowing(p)) {
            continue;
        }
        TpCounterSlot* c = &p->counters;
        Count(&c->TxTotalRaw, &p->lifetimeTx, &p->txCarry, &p->txPacketCarry, &c->TxPkts, p->txRate, ms);
        Count(&c->RxTotalRaw, &p->lifetimeRx, &p->rxCarry, &p->rxPacketCarry, &c->RxPkts, p->rxRate, ms);
    }
}

static void Emit(SiEventSink sink, void* context, uint64_t ms, uint32_t port, SiEvent event) {
    if (sink) {
        sink(context, ms, port, event);
    }
}

static void ErrorChance(SiTraffic* traffic, uint32_t odds, uint16_t* counter, SiEvent event, SiEventSink sink,
                        void* context, uint64_t ms, uint32_t port) {
    if (Random(traffic) % odds == 0) {
        ++*counter;
        Emit(sink, context, ms, port, event);
    }
}

static void ScheduledChange(SiTraffic* traffic, SiPort* p, SiEventSink sink, void* context, uint64_t ms,
                            uint32_t port) {
    if (p->kind != SI_KIND_MODEM && p->kind != SI_KIND_SESSION) {
        return;
    }
    if (--p->secondsToChange != 0) {
        return;
    }
    const int carrierBefore = Carrier(p);
    p->up = !p->up;
    p->secondsToChange = NextChange(traffic, p);
    if (p->kind == SI_KIND_SESSION) {
        Emit(sink, context, ms, port, p->up ? SI_EVENT_OPENED : SI_EVENT_CLOSED);
    }
    if (Carrier(p) != carrierBefore) {
        Emit(sink, context, ms, port, Carrier(p) ? SI_EVENT_CD_ON : SI_EVENT_CD_OFF);
    }
}

static void NextSecond(SiTraffic* traffic, uint64_t ms, SiEventSink sink, void* context) {
    for (uint32_t i = 0; i < traffic->ports; ++i) {
        SiPort* p = &traffic->port[i];
        ScheduledChange(traffic, p, sink, context, ms, i);
        if (Flowing(p)) {
            /* A port at the line rate overruns far more often. */
            const uint32_t overrunOdds = p->kind == SI_KIND_LINE ? 20u : 400u;
            TpCounterSlot* c = &p->counters;
            ErrorChance(traffic, overrunOdds, &c->OverrunErrorsRaw, SI_EVENT_OVERRUN, sink, context, ms, i);
            ErrorChance(traffic, 300u, &c->FramingErrorsRaw, SI_EVENT_FRAMING, sink, context, ms, i);
            ErrorChance(traffic, 500u, &c->ParityErrorsRaw, SI_EVENT_PARITY, sink, context, ms, i);
        }
        PickRates(traffic, p);
        UpdateStatus(p);
    }
}

void si_traffic_advance(SiTraffic* traffic, uint64_t nowMs, SiEventSink sink, void* context) {
    if (nowMs <= traffic->lastMs) {
        traffic->lastMs = nowMs;
        return;
    }
    uint64_t elapsed = nowMs - traffic->lastMs;
    if (elapsed > SI_CATCH_UP_MS) {
        elapsed = SI_CATCH_UP_MS;
    }
    uint64_t at = nowMs - elapsed;
    while (elapsed > 0) {
        const uint32_t toSecond = 1000u - traffic->msIntoSecond;
        const uint32_t step = elapsed < toSecond ? (uint32_t)elapsed : toSecond;
        Carry(traffic, step);
        elapsed -= step;
        at += step;
        traffic->msIntoSecond += step;
        if (traffic->msIntoSecond == 1000u) {
            traffic->msIntoSecond = 0;
            NextSecond(traffic, at, sink, context);
        }
    }
    traffic->lastMs = nowMs;
}

void si_traffic_reset(SiTraffic* traffic) {
    for (uint32_t i = 0; i < traffic->ports; ++i) {
        SiPort* p = &traffic->port[i];
        const uint16_t status = p->counters.PortStatus;
        si_fill(&p->counters, 0, sizeof p->counters);
        p->counters.PortStatus = status;
        p->txCarry = p->rxCarry = p->txPacketCarry = p->rxPacketCarry = 0;
    }
}

int si_traffic_carrier(const SiTraffic* traffic, uint32_t port) {
    return Carrier(&traffic->port[port]);
}

void si_traffic_force_carrier(SiTraffic* traffic, uint32_t port, int32_t state) {
    SiPort* p = &traffic->port[port];
    p->cdForced = state;
    UpdateStatus(p);
}
