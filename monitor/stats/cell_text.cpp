#include "monitor/stats/cell_text.h"

#include <cstdio>

#include "monitor/stats/statistic_values.h"

namespace zorvel {
namespace {

// A full grid is mostly integers, and snprintf costs several times the digits
// themselves; these write what "%u" and "%02u" write. Returns the end.
char* PutDecimal(char* out, uint32_t value) {
    char digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) {
        *out++ = digits[--count];
    }
    return out;
}

char* PutTwoDigits(char* out, uint32_t value) {
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
    return out + 2;
}

// M already starts at 100,000, not at 1,000,000: 100000 reads " 0.100M" and
// 999999999 reads "1000.000M".
char* FormatScaled(char* out, size_t size, uint32_t value) {
    if (value < 1000u) {
        return PutDecimal(out, value);
    }
    if (value < 100000u) {
        return out + std::snprintf(out, size, "%6.3fk", value / 1000.0);
    }
    if (value < 1000000000u) {
        return out + std::snprintf(out, size, "%6.3fM", value / 1000000.0);
    }
    return out + std::snprintf(out, size, "%6.3fG", value / 1000000000.0);
}

// h:mm:ss with the hours unbounded.
char* FormatDuration(char* out, uint32_t seconds) {
    const uint32_t minutes = seconds / 60;
    out = PutDecimal(out, minutes / 60);
    *out++ = ':';
    out = PutTwoDigits(out, minutes % 60);
    *out++ = ':';
    return PutTwoDigits(out, seconds % 60);
}

}  // namespace

void FormatCell(uint32_t value, int type, std::string& text) {
    char out[16];
    char* end;
    switch (type) {
        case kTypeInteger: end = PutDecimal(out, value); break;
        case kTypeOnOff: text = value != 0 ? "On" : "Off"; return;
        case kTypeScaled: end = FormatScaled(out, sizeof out, value); break;
        case kTypeDuration: end = FormatDuration(out, value); break;
        default: return;
    }
    text.assign(out, end);
}

void CellValue(const PortTables& tables, int input, int type, int port, std::string& text) {
    FormatCell(StatisticValue(tables, input, port), type, text);
}

}  // namespace zorvel
