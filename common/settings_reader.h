// The one line-reading procedure behind every settings and view file reader.
#pragma once

#include <cstddef>

namespace common {

// FindKeyword(name, sections) + 1, i.e. 0 for a name not in the table.
int SectionStateFromTable(const char* name, const char* const* sections);

// What a particular file reader supplies. A SectionState of 0 means "no known
// section"; entries are skipped there without a call.
class SettingsReaderHandler {
public:
    virtual ~SettingsReaderHandler() = default;

    // Section names, ended by nullptr; entry k opens SectionState k + 1.
    virtual const char* const* SectionTable() const = 0;

    // Called for every section line; returns the new SectionState. Override it
    // for sections whose names are not fixed keywords.
    virtual int OnSection(const char* name) { return SectionStateFromTable(name, SectionTable()); }

    // Keys of a section, ended by nullptr; nullptr when the section takes no
    // entries (its entries are then skipped silently).
    virtual const char* const* KeyTable(int section_state) const = 0;

    // value may be modified in place, e.g. cut to a field's length.
    virtual void OnEntry(int section_state, int key_index, const char* key, char* value) = 0;

    // A key missing from the section's key table; the reader reports it and
    // reading goes on.
    virtual void OnBadKey(int section_state, const char* key, const char* value) = 0;

    // True for a section whose values keep the bytes 0x80..0xFF, which every
    // other line loses.
    virtual bool KeepsBeyondAscii(int) const { return false; }
};

// Reads the file line by line, feeding the handler. Returns false only when
// the file cannot be opened; what that means is the caller's decision. Longer
// physical lines than `lineLimit` - 1 characters arrive in pieces, each
// classified as a line of its own.
bool ReadSectionedFile(const char* path, SettingsReaderHandler& handler, size_t lineLimit = 200);

}  // namespace common
