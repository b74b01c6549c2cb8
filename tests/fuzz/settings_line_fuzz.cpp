// The line parsers on one line, then the whole input through the file reader.
#include <cstring>
#include <vector>

#include "common/settings_line.h"
#include "common/settings_reader.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

const char* const kSections[] = {"program", "window", nullptr};
const char* const kKeys[] = {"UpdateTime", "Window", "FontFace", nullptr};

bool Clean(const char* text) {
    for (; *text != '\0'; ++text) {
        const unsigned char c = static_cast<unsigned char>(*text);
        if (c < 0x20 || c > 0x7F || c == ';') {
            return false;
        }
    }
    return true;
}

void CheckValue(const char* value) {
    int numbers[8];
    fuzz::Require(common::ParseIntList(value, numbers, 8) <= 8, "ParseIntList within n");
    common::IntValue(value);
    common::WindowRectangleValue(value);
}

struct TakeEverything : common::SettingsReaderHandler {
    const char* const* SectionTable() const override { return kSections; }
    const char* const* KeyTable(int) const override { return kKeys; }
    void OnEntry(int, int key, const char*, char* value) override {
        fuzz::Require(key >= 0 && key < 3, "key index in its table");
        fuzz::Require(std::strlen(value) < 200, "a value fits the line buffer");
        CheckValue(value);
    }
    void OnBadKey(int, const char* key, const char* value) override {
        fuzz::Require(Clean(key) && Clean(value), "bad key texts are cleaned");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<char> line(data, data + size);
    line.push_back('\0');
    int used = 0;
    common::ParseDecimal(line.data(), &used);
    fuzz::Require(used >= 0 && static_cast<size_t>(used) <= std::strlen(line.data()), "ParseDecimal stays in the text");

    const common::SettingsLine split = common::SplitSettingsLine(line.data());
    if (split.kind != common::SettingsLine::Ignore) {
        fuzz::Require(Clean(split.name_or_key), "names and keys are cleaned");
        common::FindKeyword(split.name_or_key, kKeys);
    }
    if (split.kind == common::SettingsLine::Entry) {
        fuzz::Require(Clean(split.value), "values are cleaned");
        CheckValue(split.value);
    }

    TakeEverything handler;
    common::ReadSectionedFile(fuzz::WriteInput("settings.ini", data, size).c_str(), handler);
    return 0;
}
