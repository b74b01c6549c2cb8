/* Trace text waiting for the next trace request. */
#ifndef TOOLS_STANDIN_SI_TRACE_H
#define TOOLS_STANDIN_SI_TRACE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define SI_TRACE_CAPACITY 32768u

typedef struct SiTrace {
    uint32_t len;
    uint64_t dropped; /* bytes lost to a full queue since the start */
    char text[SI_TRACE_CAPACITY];
} SiTrace;

/* When nobody polls, the oldest whole lines make room for the new text. */
void si_trace_append(SiTrace* trace, const char* text, uint32_t n);
/* Drops the oldest whole lines until n more bytes fit (n at most the
   capacity), so that a batch appended after it moves the queue only once. */
void si_trace_reserve(SiTrace* trace, uint32_t n);
/* Moves up to `room` bytes from the front into `out`; returns how many. */
uint32_t si_trace_take(SiTrace* trace, uint8_t* out, uint32_t room);

#ifdef __cplusplus
}
#endif

#endif
