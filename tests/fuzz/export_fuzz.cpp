// zorvel-export's input readers on a file kept under a per-port report's name,
// then every output format of what they took.
#include <optional>
#include <string>
#include <vector>

#include "monitor/export/export_formats.h"
#include "monitor/export/input_file.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteInput("hCOM5.txt", data, size);
    zorvel::Diagnostics diagnostics;
    // As a names file too; the names are not used, since a table of 130 names
    // each thousands of bytes long makes an input take seconds.
    std::vector<std::string> names;
    zorvel::ReadNamesFile(path, names, diagnostics);
    // Each format once: the last line of each report, then every line with its time.
    zorvel::PortRows last;
    zorvel::ReadInput(path, {false, nullptr}, last, diagnostics);
    zorvel::FormatPrometheus(last, std::optional<std::string>("board"), diagnostics);
    zorvel::FormatTable(last, false);
    zorvel::PortRows all;
    zorvel::ReadInput(path, {true, nullptr}, all, diagnostics);
    zorvel::FormatCsv(all, true);
    zorvel::FormatJson(all, true);
    return 0;
}
