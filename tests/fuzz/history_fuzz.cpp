// zorvel-export's history reader: the input as a file of its own, then as
// patches (a 4-byte offset, a length byte, the bytes) laid over a good
// history.dat, which reach the stamps and buckets of its 3.9 MB from a few
// bytes; what it took as CSV and JSON.
#include <algorithm>
#include <cstring>
#include <string>

#include <nlohmann/json.hpp>

#include "monitor/export/export_formats.h"
#include "monitor/export/history_input.h"
#include "monitor/export/input_file.h"
#include "monitor/history/history.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zorvel::Diagnostics diagnostics;
    zorvel::PortRows raw;
    zorvel::ReadInput(fuzz::WriteInput("history.dat", data, size), {false, nullptr}, raw, diagnostics);

    static const std::string fresh(reinterpret_cast<const char*>(zorvel::CreateHistory().get()),
                                   sizeof(zorvel::HistoryTables));
    std::string bytes = fresh;
    for (size_t at = 0; at + 5 <= size;) {
        uint32_t offset;
        std::memcpy(&offset, data + at, sizeof offset);
        offset %= bytes.size();
        const size_t length = std::min<size_t>({data[at + 4], size - at - 5, bytes.size() - offset});
        bytes.replace(offset, length, reinterpret_cast<const char*>(data + at + 5), length);
        at += 5 + length;
    }
    zorvel::PortRows rows;
    zorvel::ReadHistoryInput(bytes, "history.dat", nullptr, rows, diagnostics);
    const std::string csv = zorvel::FormatHistoryCsv(rows);
    fuzz::Require(static_cast<size_t>(std::count(csv.begin(), csv.end(), '\n')) == rows.History.size() + 1,
                  "a CSV line a bucket and the header");
    fuzz::Require(nlohmann::json::accept(zorvel::FormatHistoryJson(rows)), "the JSON parses");
    return 0;
}
