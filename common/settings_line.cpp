#include "common/settings_line.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace common {

static_assert(sizeof(int) == 4, "settings numbers are 32-bit");

void TrimSpaces(char* text) {
    std::size_t lead = 0;
    while (text[lead] == ' ') ++lead;
    std::size_t len = std::strlen(text + lead);
    if (lead > 0)
        std::memmove(text, text + lead, len + 1);
    while (len > 0 && text[len - 1] == ' ') text[--len] = '\0';
}

void StripNonPrintable(char* text, bool keepBeyondAscii) {
    char* out = text;
    for (const char* in = text; *in != '\0'; ++in) {
        const unsigned char c = static_cast<unsigned char>(*in);
        if (c >= 0x20 && (c <= 0x7F || keepBeyondAscii))
            *out++ = *in;
    }
    *out = '\0';
}

int UpperAscii(int c) {
    return (c >= 'a' && c <= 'z') ? c - 32 : c;
}

int CompareKeyword(const char* a, const char* b) {
    if (*a == '\0' || *b == '\0')
        return 1;
    while (*a != '\0' && *b != '\0' &&
           UpperAscii(static_cast<unsigned char>(*a)) == UpperAscii(static_cast<unsigned char>(*b))) {
        ++a;
        ++b;
    }
    return (*a == '\0' && *b == '\0') ? 0 : 1;
}

int FindKeyword(const char* text, const char* const* table) {
    for (int i = 0; table[i] != nullptr; ++i) {
        if (CompareKeyword(text, table[i]) == 0)
            return i;
    }
    return -1;
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Two's-complement reinterpretation without relying on the
// implementation-defined narrowing of out-of-range values.
int ToSigned32(std::uint32_t v) {
    if (v <= static_cast<std::uint32_t>(INT_MAX))
        return static_cast<int>(v);
    return -static_cast<int>(~v) - 1;
}

}  // namespace

int ParseDecimal(const char* text, int* consumed) {
    int n = 0;
    while (text[n] == ' ') ++n;
    const bool negative = text[n] == '-';
    if (negative)
        ++n;
    if (!IsDigit(text[n])) {
        *consumed = 0;
        return 0;
    }
    // Overlong numbers wrap modulo 2^32 rather than being rejected; unsigned
    // arithmetic keeps that well defined.
    std::uint32_t value = 0;
    while (IsDigit(text[n])) {
        value = value * 10u + static_cast<std::uint32_t>(text[n] - '0');
        ++n;
    }
    *consumed = n;
    return ToSigned32(negative ? 0u - value : value);
}

int ParseIntList(const char* text, int* values, int n) {
    int p = 0;
    for (int i = 0; i < n; ++i) {
        while (text[p] == ' ' || text[p] == ',' || text[p] == ';') ++p;
        int used = 0;
        values[i] = ParseDecimal(text + p, &used);
        if (used == 0)
            return i;
        p += used;
    }
    return n;
}

int IntValue(const char* value) {
    int number = 0;
    ParseIntList(value, &number, 1);
    return number;
}

WindowRectangle WindowRectangleValue(const char* value) {
    int numbers[4] = {0, 0, 0, 0};
    ParseIntList(value, numbers, 4);
    return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

bool WriteIntSetting(std::FILE* file, const char* key, int value) {
    if (value == 0)
        return true;
    return std::fprintf(file, "%s=%d\r\n", key, value) > 0;
}

SettingsLine SplitSettingsLine(char* line, bool keepBeyondAscii) {
    // Trimming first is deliberate: blanks before a line end survive it and
    // stay in the value once the CR LF is stripped.
    TrimSpaces(line);
    StripNonPrintable(line, keepBeyondAscii);
    if (char* comment = std::strchr(line, ';'))
        *comment = '\0';

    if (line[0] == '\0')
        return {SettingsLine::Ignore, nullptr, nullptr};
    if (line[0] == '[') {
        char* name = line + 1;
        if (char* close = std::strchr(name, ']'))
            *close = '\0';
        return {SettingsLine::Section, name, nullptr};
    }
    char* equals = std::strchr(line, '=');
    if (equals == nullptr)
        return {SettingsLine::Ignore, nullptr, nullptr};
    *equals = '\0';
    return {SettingsLine::Entry, line, equals + 1};
}

}  // namespace common
