#include "common/settings_reader.h"

#include <cstdio>
#include <vector>

#include "common/settings_line.h"

namespace common {

int SectionStateFromTable(const char* name, const char* const* sections) {
    return FindKeyword(name, sections) + 1;
}

namespace {

void HandleLine(char* buffer, int& section_state, SettingsReaderHandler& handler) {
    const SettingsLine line = SplitSettingsLine(buffer, handler.KeepsBeyondAscii(section_state));
    if (line.kind == SettingsLine::Section) {
        section_state = handler.OnSection(line.name_or_key);
        return;
    }
    if (line.kind != SettingsLine::Entry || section_state == 0)
        return;

    const char* const* keys = handler.KeyTable(section_state);
    if (keys == nullptr)
        return;
    const int key = FindKeyword(line.name_or_key, keys);
    if (key < 0) {
        handler.OnBadKey(section_state, line.name_or_key, line.value);
    } else {
        handler.OnEntry(section_state, key, line.name_or_key, line.value);
    }
}

}  // namespace

bool ReadSectionedFile(const char* path, SettingsReaderHandler& handler, size_t lineLimit) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;

    // Nothing is grown or joined: each file's limit is what its longest setting needs.
    std::vector<char> buffer(lineLimit);
    int section_state = 0;
    while (!std::ferror(file) && std::fgets(buffer.data(), static_cast<int>(buffer.size()), file)) {
        HandleLine(buffer.data(), section_state, handler);
    }
    std::fclose(file);
    return true;
}

}  // namespace common
