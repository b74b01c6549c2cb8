#include "tools/standin/si_flood.h"

#include "tools/standin/si_text.h"

#define LINE_BYTE_MS (SI_FLOOD_LINE_SIZE * 1000u)

void si_flood_set(SiFlood* flood, uint32_t rate, uint64_t nowMs) {
    flood->rate = rate;
    flood->lastMs = nowMs;
    flood->carry = 0;
}

static void AppendLine(SiTrace* trace, uint64_t number) {
    SiLine line = {0};
    si_line_str(&line, "flood ");
    si_line_u64_width(&line, number, 8);
    si_line_pad(&line, SI_FLOOD_LINE_SIZE - 2);
    si_line_end(&line);
    si_trace_append(trace, line.text, line.len);
}

void si_flood_advance(SiFlood* flood, uint64_t nowMs, SiTrace* trace) {
    const uint64_t elapsed = nowMs > flood->lastMs ? nowMs - flood->lastMs : 0;
    flood->lastMs = nowMs;
    if (flood->rate == 0) {
        return;
    }
    const uint64_t due = flood->carry + (uint64_t)flood->rate * elapsed;
    uint64_t lines = due / LINE_BYTE_MS;
    flood->carry = due % LINE_BYTE_MS;
    /* After a long pause, lines beyond what the queue holds would only push
       each other out, one whole queue move each: they are counted, not made. */
    const uint64_t room = SI_TRACE_CAPACITY / SI_FLOOD_LINE_SIZE;
    if (lines > room) {
        trace->dropped += (lines - room) * SI_FLOOD_LINE_SIZE;
        flood->made += lines - room;
        lines = room;
    }
    si_trace_reserve(trace, (uint32_t)lines * SI_FLOOD_LINE_SIZE);
    for (uint64_t i = 0; i < lines; ++i) {
        AppendLine(trace, ++flood->made);
    }
}
