#include "tools/standin/si_trace.h"

#include "tools/standin/si_text.h"

static void DropFront(SiTrace* trace, uint32_t n) {
    for (uint32_t i = n; i < trace->len; ++i) {
        trace->text[i - n] = trace->text[i];
    }
    trace->len -= n;
}

void si_trace_reserve(SiTrace* trace, uint32_t n) {
    if (trace->len + n <= SI_TRACE_CAPACITY) {
        return;
    }
    uint32_t drop = trace->len + n - SI_TRACE_CAPACITY;
    while (drop < trace->len && trace->text[drop - 1] != '\n') {
        ++drop;
    }
    DropFront(trace, drop);
    trace->dropped += drop;
}

void si_trace_append(SiTrace* trace, const char* text, uint32_t n) {
    if (n > SI_TRACE_CAPACITY) {
        trace->dropped += n - SI_TRACE_CAPACITY;
        text += n - SI_TRACE_CAPACITY;
        n = SI_TRACE_CAPACITY;
    }
    si_trace_reserve(trace, n);
    si_copy(trace->text + trace->len, text, n);
    trace->len += n;
}

uint32_t si_trace_take(SiTrace* trace, uint8_t* out, uint32_t room) {
    const uint32_t n = trace->len < room ? trace->len : room;
    si_copy(out, trace->text, n);
    DropFront(trace, n);
    return n;
}
