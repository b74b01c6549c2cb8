/* Numbered trace lines at a set rate, for seeing whether a reader keeps up:
   a gap in the numbers shows lines the full queue dropped. */
#ifndef TOOLS_STANDIN_SI_FLOOD_H
#define TOOLS_STANDIN_SI_FLOOD_H

#include <stdint.h>

#include "tools/standin/si_trace.h"

#ifdef __cplusplus
extern "C" {
#endif

#define SI_FLOOD_MAX_RATE 1000000u /* bytes a second, three times what a viewer can take */
#define SI_FLOOD_LINE_SIZE 48u     /* "flood 00000001", blanks, CR LF */

typedef struct SiFlood {
    uint32_t rate; /* bytes a second; 0 makes none */
    uint64_t lastMs;
    uint64_t carry; /* byte-milliseconds short of a whole line */
    uint64_t made;  /* lines so far, the dropped ones included: the last line's number */
} SiFlood;

/* From `nowMs` on; the numbers go on from the last flood. */
void si_flood_set(SiFlood* flood, uint32_t rate, uint64_t nowMs);
/* The stand-in has no timer: each request appends the lines due since the
   last one. A clock that went back only moves the starting point. */
void si_flood_advance(SiFlood* flood, uint64_t nowMs, SiTrace* trace);

#ifdef __cplusplus
}
#endif

#endif
