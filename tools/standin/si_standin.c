#include "tools/standin/si_standin.h"

#include "tools/standin/si_command.h"
#include "tools/standin/si_text.h"

static void Append(SiStandIn* s, SiLine* line) {
    si_line_end(line);
    si_trace_append(&s->trace, line->text, line->len);
}

static void Say(SiStandIn* s, const char* text) {
    SiLine line = {0};
    si_line_str(&line, text);
    Append(s, &line);
}

static void Stamped(SiLine* line, uint64_t ms) {
    line->len = 0;
    si_line_stamp(line, ms);
}

static void OnEvent(void* context, uint64_t ms, uint32_t port, SiEvent event) {
    static const char* const what[] = {"opened",        "closed",        "CD on",       "CD off",
                                       "overrun error", "framing error", "parity error"};
    SiStandIn* s = (SiStandIn*)context;
    SiLine line;
    Stamped(&line, ms);
    si_line_str(&line, s->config.names[port]);
    si_line_str(&line, " ");
    si_line_str(&line, what[event]);
    Append(s, &line);
}

void si_standin_start(SiStandIn* s, const SiConfig* config, uint64_t nowMs) {
    si_fill(s, 0, sizeof *s);
    s->config = *config;
    si_traffic_start(&s->traffic, config->ports, config->seed, nowMs);
    SiLine line;
    Stamped(&line, nowMs);
    si_line_str(&line, "stand-in started: ");
    si_line_u64(&line, config->ports);
    si_line_str(&line, " ports, seed ");
    si_line_u64(&line, config->seed);
    Append(s, &line);
}

static void Refusal(SiStandIn* s, uint64_t nowMs, uint32_t code, const char* why) {
    SiLine line;
    Stamped(&line, nowMs);
    si_line_str(&line, "request ");
    si_line_u64(&line, code);
    si_line_str(&line, " ");
    si_line_str(&line, why);
    Append(s, &line);
}

static SiResult ListPorts(SiStandIn* s, uint8_t* buffer, uint32_t outLen, uint32_t* written) {
    if (si_read32(buffer + 4) != TP_NAME_SLOT_SIZE) {
        return SI_BAD_REQUEST;
    }
    if (outLen < TP_HEADER_SIZE + TP_NAME_SLOT_SIZE) {
        return SI_SHORT_OUTPUT;
    }
    /* Whole slots only: the names that fit, then the empty slot if it fits. */
    const uint32_t room = (outLen - TP_HEADER_SIZE) / TP_NAME_SLOT_SIZE;
    const uint32_t names = s->config.ports < room ? s->config.ports : room;
    uint8_t* slot = buffer + TP_HEADER_SIZE;
    for (uint32_t port = 0; port < names; ++port, slot += TP_NAME_SLOT_SIZE) {
        si_copy(slot, s->config.names[port], TP_NAME_SLOT_SIZE);
    }
    const uint32_t slots = names < room ? names + 1 : names;
    if (slots > names) {
        si_fill(slot, 0, TP_NAME_SLOT_SIZE);
    }
    *written = TP_HEADER_SIZE + slots * TP_NAME_SLOT_SIZE;
    return SI_OK;
}

static SiResult ReadCounters(SiStandIn* s, uint8_t* buffer, uint32_t outLen, uint32_t* written) {
    if (si_read32(buffer + 4) != TP_COUNTER_SLOT_SIZE) {
        return SI_BAD_REQUEST;
    }
    const uint32_t ports = s->config.ports;
    if (outLen < TP_HEADER_SIZE + (ports > 0 ? TP_COUNTER_SLOT_SIZE : 0)) {
        return SI_SHORT_OUTPUT;
    }
    const uint32_t room = (outLen - TP_HEADER_SIZE) / TP_COUNTER_SLOT_SIZE;
    const uint32_t slots = ports < room ? ports : room;
    for (uint32_t port = 0; port < slots; ++port) {
        si_copy(buffer + TP_HEADER_SIZE + port * TP_COUNTER_SLOT_SIZE, &s->traffic.port[port].counters,
                TP_COUNTER_SLOT_SIZE);
    }
    *written = TP_HEADER_SIZE + slots * TP_COUNTER_SLOT_SIZE;
    return SI_OK;
}

static void Help(SiStandIn* s) {
    Say(s, "commands:");
    Say(s, "  help              this list");
    Say(s, "  ports             one line per port with its counters");
    Say(s, "  stats             the requests answered so far, by request code");
    Say(s, "  fail N            the next N requests of any kind fail");
    Say(s, "  reset             every counter back to 0, as after a driver restart");
    Say(s, "  cd P on|off|auto  carrier detect of port P (name or number) forced, or following the traffic");
    Say(s, "  burst N           the next reply carries N bytes of mixed text, control characters included");
    Say(s, "  count N           the next reply claims N text bytes whatever it holds");
    Say(s, "  flood N           N bytes a second (up to 1000000) of numbered lines; flood 0 stops");
}

static void Signals(SiLine* line, uint16_t status) {
    static const struct {
        uint16_t bit;
        const char* name;
    } signals[] = {{TP_STATUS_OPEN, " open"}, {TP_STATUS_DTR, " DTR"}, {TP_STATUS_RTS, " RTS"},
                   {TP_STATUS_CD, " CD"},     {TP_STATUS_DSR, " DSR"}, {TP_STATUS_CTS, " CTS"}};
    for (uint32_t i = 0; i < sizeof signals / sizeof signals[0]; ++i) {
        if (status & signals[i].bit) {
            si_line_str(line, signals[i].name);
        }
    }
}

static void Field(SiLine* line, const char* name, uint64_t value) {
    si_line_str(line, name);
    si_line_u64(line, value);
}

static void Ports(SiStandIn* s) {
    for (uint32_t port = 0; port < s->config.ports; ++port) {
        const SiPort* p = &s->traffic.port[port];
        const TpCounterSlot* c = &p->counters;
        SiLine line = {0};
        si_line_u64(&line, port + 1);
        si_line_pad(&line, 4);
        si_line_str(&line, s->config.names[port]);
        si_line_pad(&line, 17);
        si_line_str(&line, "status=");
        si_line_hex16(&line, c->PortStatus);
        Field(&line, " tx=", c->TxTotalRaw);
        Field(&line, " rx=", c->RxTotalRaw);
        Field(&line, " txpkts=", c->TxPkts);
        Field(&line, " rxpkts=", c->RxPkts);
        Field(&line, " overrun=", c->OverrunErrorsRaw);
        Field(&line, " framing=", c->FramingErrorsRaw);
        Field(&line, " parity=", c->ParityErrorsRaw);
        Field(&line, " lifetx=", p->lifetimeTx);
        Field(&line, " liferx=", p->lifetimeRx);
        Signals(&line, c->PortStatus);
        Append(s, &line);
    }
}

static void Stats(SiStandIn* s) {
    static const char* const names[SI_STATS_KINDS] = {"request 10", "request 11", "request 13", "other"};
    for (uint32_t kind = 0; kind < SI_STATS_KINDS; ++kind) {
        const SiRequestStats* st = &s->stats[kind];
        SiLine line = {0};
        si_line_str(&line, names[kind]);
        Field(&line, " served=", st->served);
        Field(&line, " refused=", st->refused);
        Field(&line, " failed=", st->failed);
        Field(&line, " in=", st->lastIn);
        Field(&line, " out=", st->lastOut);
        Append(s, &line);
    }
    SiLine line = {0};
    Field(&line, "failing next ", s->failNext);
    Append(s, &line);
    SiLine queue = {0};
    Field(&queue, "trace queue held=", s->trace.len);
    Field(&queue, " dropped=", s->trace.dropped);
    Field(&queue, " flood=", s->flood.rate);
    Append(s, &queue);
}

/* The port named, or numbered from 1 as "ports" lists them; -1 when none. */
static int32_t FindPort(const SiStandIn* s, const char* word) {
    const uint32_t n = si_strlen(word);
    for (uint32_t port = 0; port < s->config.ports; ++port) {
        if (si_same_word(word, n, s->config.names[port])) {
            return (int32_t)port;
        }
    }
    uint32_t number = 0;
    if (si_parse_u32(word, n, &number) && number >= 1 && number <= s->config.ports) {
        return (int32_t)(number - 1);
    }
    return -1;
}

static void ForceCarrier(SiStandIn* s, const SiCommand* command, uint64_t nowMs) {
    const int32_t port = FindPort(s, command->port);
    if (port < 0) {
        Say(s, "error: no such port; ports lists them");
        return;
    }
    const int before = si_traffic_carrier(&s->traffic, (uint32_t)port);
    si_traffic_force_carrier(&s->traffic, (uint32_t)port, command->cdState);
    const int after = si_traffic_carrier(&s->traffic, (uint32_t)port);
    if (after != before) {
        OnEvent(s, nowMs, (uint32_t)port, after ? SI_EVENT_CD_ON : SI_EVENT_CD_OFF);
    }
    SiLine line = {0};
    si_line_str(&line, "ok: ");
    si_line_str(&line, s->config.names[port]);
    si_line_str(&line, command->cdState < 0 ? " CD follows the traffic"
                       : command->cdState   ? " CD forced on"
                                            : " CD forced off");
    Append(s, &line);
}

static void Confirm(SiStandIn* s, const char* before, uint32_t number, const char* after) {
    SiLine line = {0};
    si_line_str(&line, before);
    si_line_u64(&line, number);
    si_line_str(&line, after);
    Append(s, &line);
}

static void Run(SiStandIn* s, const char* text, uint32_t n, uint64_t nowMs) {
    SiCommand command;
    const char* error = si_command_parse(text, n, &command);
    if (error) {
        SiLine line = {0};
        si_line_str(&line, "error: ");
        si_line_str(&line, error);
        Append(s, &line);
        return;
    }
    switch (command.kind) {
        case SI_COMMAND_HELP: Help(s); break;
        case SI_COMMAND_PORTS: Ports(s); break;
        case SI_COMMAND_STATS: Stats(s); break;
        case SI_COMMAND_RESET:
            si_traffic_reset(&s->traffic);
            Say(s, "ok: every counter back to 0");
            break;
        case SI_COMMAND_FAIL:
            s->failNext = command.number;
            Confirm(s, "ok: the next ", command.number, " requests fail");
            break;
        case SI_COMMAND_BURST:
            s->burstNext = command.number;
            Confirm(s, "ok: the next reply carries ", command.number, " bytes");
            break;
        case SI_COMMAND_COUNT:
            s->countNext = command.number;
            s->countPending = 1;
            Confirm(s, "ok: the next reply claims ", command.number, " bytes");
            break;
        case SI_COMMAND_CD: ForceCarrier(s, &command, nowMs); break;
        case SI_COMMAND_FLOOD:
            si_flood_set(&s->flood, command.number, nowMs);
            if (command.number == 0) {
                Say(s, "ok: numbered lines stopped");
            } else {
                Confirm(s, "ok: ", command.number, " bytes a second of numbered lines");
            }
            break;
        default: break;
    }
}

static SiResult Trace(SiStandIn* s, uint8_t* buffer, uint32_t inLen, uint32_t outLen, uint64_t nowMs,
                      uint32_t* written) {
    if (outLen < TP_HEADER_SIZE) {
        return SI_SHORT_OUTPUT;
    }
    /* What this reply owes was asked by earlier requests; the command in
       this one can only change the next reply. */
    const uint32_t burst = s->burstNext;
    const uint32_t claimed = s->countNext;
    const int32_t claim = s->countPending;
    s->burstNext = 0;
    s->countPending = 0;

    const char* text = (const char*)buffer + TP_HEADER_SIZE;
    uint32_t n = 0;
    while (n < inLen - TP_HEADER_SIZE && text[n] != '\0') {
        ++n;
    }
    if (n > 0 && text[n - 1] == '\r') {
        Run(s, text, n - 1, nowMs);
    }

    const uint32_t room = outLen - TP_HEADER_SIZE;
    uint8_t* out = buffer + TP_HEADER_SIZE;
    uint32_t length;
    if (burst > 0) {
        length = burst < room ? burst : room;
        for (uint32_t i = 0; i < length; ++i) {
            out[i] = (uint8_t)(1 + i % 255);
        }
    } else {
        length = si_trace_take(&s->trace, out, room);
    }
    si_write32(buffer + 4, claim ? claimed : length);
    *written = TP_HEADER_SIZE + length;
    return SI_OK;
}

static SiStatsKind KindOf(uint32_t code) {
    switch (code) {
        case TP_REQUEST_PORT_LIST: return SI_STATS_PORT_LIST;
        case TP_REQUEST_COUNTER_READ: return SI_STATS_COUNTER_READ;
        case TP_REQUEST_TRACE: return SI_STATS_TRACE;
        default: return SI_STATS_OTHER;
    }
}

SiResult si_standin_request(SiStandIn* s, uint8_t* buffer, uint32_t inLen, uint32_t outLen, uint64_t nowMs,
                            uint32_t* written) {
    *written = 0;
    si_traffic_advance(&s->traffic, nowMs, OnEvent, s);
    si_flood_advance(&s->flood, nowMs, &s->trace);
    const uint32_t code = inLen >= 4 ? si_read32(buffer) : 0;
    SiRequestStats* stats = &s->stats[KindOf(code)];
    stats->lastIn = inLen;
    stats->lastOut = outLen;
    if (s->failNext > 0) {
        --s->failNext;
        ++stats->failed;
        Refusal(s, nowMs, code, "failed on demand");
        return SI_FAILED_ON_DEMAND;
    }
    SiResult result = SI_SHORT_INPUT;
    if (inLen >= TP_HEADER_SIZE) {
        switch (code) {
            case TP_REQUEST_PORT_LIST: result = ListPorts(s, buffer, outLen, written); break;
            case TP_REQUEST_COUNTER_READ: result = ReadCounters(s, buffer, outLen, written); break;
            case TP_REQUEST_TRACE: result = Trace(s, buffer, inLen, outLen, nowMs, written); break;
            default: result = SI_BAD_REQUEST; break;
        }
    }
    if (result == SI_OK) {
        ++stats->served;
    } else {
        ++stats->refused;
        static const char* const why[] = {"", "refused: shorter than its header", "refused: no room for the reply",
                                          "refused: unknown code or slot size", ""};
        Refusal(s, nowMs, code, why[result]);
    }
    return result;
}
