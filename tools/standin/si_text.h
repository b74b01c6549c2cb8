/* Bytes and text without a C runtime: the stand-in also runs in kernel mode. */
#ifndef TOOLS_STANDIN_SI_TEXT_H
#define TOOLS_STANDIN_SI_TEXT_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define SI_LINE_SIZE 200u

/* One line of text being built; whatever does not fit is cut off. */
typedef struct SiLine {
    uint32_t len;
    char text[SI_LINE_SIZE];
} SiLine;

void si_line_mem(SiLine* line, const char* text, uint32_t n);
void si_line_str(SiLine* line, const char* text);
void si_line_u64(SiLine* line, uint64_t value);
/* At least `width` digits, zeros in front. */
void si_line_u64_width(SiLine* line, uint64_t value, uint32_t width);
void si_line_hex16(SiLine* line, uint16_t value);
/* Blanks up to `column`. */
void si_line_pad(SiLine* line, uint32_t column);
/* "hh:mm:ss.mmm " from milliseconds of local time. */
void si_line_stamp(SiLine* line, uint64_t localMs);
void si_line_end(SiLine* line);

uint32_t si_strlen(const char* text);
void si_copy(void* to, const void* from, uint32_t n);
void si_fill(void* to, uint8_t value, uint32_t n);
uint32_t si_read32(const uint8_t* at);
void si_write32(uint8_t* at, uint32_t value);
/* `text` of length n equals the NUL-terminated `word`, ignoring case. */
int si_same_word(const char* text, uint32_t n, const char* word);
/* Decimal digits only; 0 when empty, not a number or above 2^32 - 1. */
int si_parse_u32(const char* text, uint32_t n, uint32_t* value);

#ifdef __cplusplus
}
#endif

#endif
