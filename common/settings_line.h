// In-place text and number parsers shared by every settings and view file.
#pragma once

#include <cstdio>

#include "common/window_placement.h"

namespace common {

// Removes leading and trailing space characters (0x20 only; tabs and line
// ends stay).
void TrimSpaces(char* text);

// Keeps only bytes 0x20..0x7F and closes up the text; with `keepBeyondAscii`
// the bytes 0x80..0xFF stay too, so that names in the system's code page survive.
void StripNonPrintable(char* text, bool keepBeyondAscii = false);

// "a".."z" become "A".."Z"; every other value is returned unchanged.
int UpperAscii(int c);

// 0 when both texts are equal ignoring letter case, else 1. An empty text
// matches nothing, not even another empty text.
int CompareKeyword(const char* a, const char* b);

// Position of the first table entry matching text, or -1. The table ends
// with nullptr.
int FindKeyword(const char* text, const char* const* table);

// Optional spaces, an optional "-", then decimal digits; wraps in 32 bits.
// *consumed is 0 (and the result 0) when no digit follows.
int ParseDecimal(const char* text, int* consumed);

// Parses up to n numbers separated by runs of " ,;". Returns how many were
// parsed; the slot where parsing stopped is set to 0, later slots untouched.
int ParseIntList(const char* text, int* values, int n);

// The one integer of a settings value (ParseIntList with n = 1): 0 when the
// value holds no number.
int IntValue(const char* value);

// A "window=" value: left, top, width and height; missing numbers read as 0.
WindowRectangle WindowRectangleValue(const char* value);

// Writes "key=value\r\n" unless value is 0, so that a reader keeps its
// default. Returns false when the write failed.
bool WriteIntSetting(std::FILE* file, const char* key, int value);

struct SettingsLine {
    enum Kind { Ignore, Section, Entry };
    Kind kind;
    char* name_or_key;  // section name or entry key; nullptr for Ignore
    char* value;        // entry value; nullptr unless Entry
};

// Cleans one line as read from a file and classifies it. The returned texts
// point into line.
SettingsLine SplitSettingsLine(char* line, bool keepBeyondAscii = false);

}  // namespace common
