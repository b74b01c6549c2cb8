#include "tools/standin/si_text.h"

void si_line_mem(SiLine* line, const char* text, uint32_t n) {
    for (uint32_t i = 0; i < n && line->len < SI_LINE_SIZE; ++i) {
        line->text[line->len++] = text[i];
    }
}

void si_line_str(SiLine* line, const char* text) {
    si_line_mem(line, text, si_strlen(text));
}

void si_line_u64(SiLine* line, uint64_t value) {
    si_line_u64_width(line, value, 1);
}

void si_line_u64_width(SiLine* line, uint64_t value, uint32_t width) {
    char digits[20];
    uint32_t n = 0;
    do {
        digits[n++] = (char)('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n < width && n < sizeof digits) {
        digits[n++] = '0';
    }
    while (n > 0) {
        si_line_mem(line, &digits[--n], 1);
    }
}

void si_line_hex16(SiLine* line, uint16_t value) {
    static const char hex[] = "0123456789ABCDEF";
    char text[6] = {'0', 'x'};
    for (int i = 0; i < 4; ++i) {
        text[2 + i] = hex[(value >> (12 - 4 * i)) & 0xF];
    }
    si_line_mem(line, text, sizeof text);
}

void si_line_pad(SiLine* line, uint32_t column) {
    while (line->len < column && line->len < SI_LINE_SIZE) {
        line->text[line->len++] = ' ';
    }
}

static void Two(SiLine* line, uint32_t value, char after) {
    char text[3] = {(char)('0' + value / 10 % 10), (char)('0' + value % 10), after};
    si_line_mem(line, text, sizeof text);
}

void si_line_stamp(SiLine* line, uint64_t localMs) {
    const uint32_t ms = (uint32_t)(localMs % 86400000u);
    Two(line, ms / 3600000u, ':');
    Two(line, ms / 60000u % 60u, ':');
    Two(line, ms / 1000u % 60u, '.');
    const char millis[4] = {(char)('0' + ms / 100u % 10u), (char)('0' + ms / 10u % 10u), (char)('0' + ms % 10u), ' '};
    si_line_mem(line, millis, sizeof millis);
}

void si_line_end(SiLine* line) {
    /* Keep room for the line end even when the text was cut. */
    if (line->len > SI_LINE_SIZE - 2) {
        line->len = SI_LINE_SIZE - 2;
    }
    si_line_mem(line, "\r\n", 2);
}

uint32_t si_strlen(const char* text) {
    uint32_t n = 0;
    while (text[n] != '\0') {
        ++n;
    }
    return n;
}

void si_copy(void* to, const void* from, uint32_t n) {
    uint8_t* out = (uint8_t*)to;
    const uint8_t* in = (const uint8_t*)from;
    for (uint32_t i = 0; i < n; ++i) {
        out[i] = in[i];
    }
}

void si_fill(void* to, uint8_t value, uint32_t n) {
    uint8_t* out = (uint8_t*)to;
    for (uint32_t i = 0; i < n; ++i) {
        out[i] = value;
    }
}

uint32_t si_read32(const uint8_t* at) {
    return (uint32_t)at[0] | (uint32_t)at[1] << 8 | (uint32_t)at[2] << 16 | (uint32_t)at[3] << 24;
}

void si_write32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        at[i] = (uint8_t)(value >> (8 * i));
    }
}

static char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c;
}

int si_same_word(const char* text, uint32_t n, const char* word) {
    uint32_t i = 0;
    for (; i < n; ++i) {
        if (word[i] == '\0' || Lower(text[i]) != Lower(word[i])) {
            return 0;
        }
    }
    return word[i] == '\0';
}

int si_parse_u32(const char* text, uint32_t n, uint32_t* value) {
    uint64_t result = 0;
    if (n == 0) {
        return 0;
    }
    for (uint32_t i = 0; i < n; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return 0;
        }
        result = result * 10u + (uint32_t)(text[i] - '0');
        if (result > 0xFFFFFFFFu) {
            return 0;
        }
    }
    *value = (uint32_t)result;
    return 1;
}
