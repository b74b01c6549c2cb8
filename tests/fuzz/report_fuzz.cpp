// Hour and day reports for any port names, columns and records, written into a
// scratch folder that is emptied after each input.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "monitor/reports/report_writer.h"
#include "monitor/stats/catalogue.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

struct PlainEnvironment : zorvel::ReportEnvironment {
    void Stamp(std::string& date, std::string& time) override {
        date = "12/08/26";
        time = "06:00";
    }
    double FreeDiskBytes() override { return 1e12; }
    void StartProgram(const std::string&) override {}
};

template <typename T>
void Fill(FuzzedDataProvider& input, T& target) {
    const std::vector<uint8_t> bytes = input.ConsumeBytes<uint8_t>(sizeof target);
    if (!bytes.empty()) {
        std::memcpy(&target, bytes.data(), bytes.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace fs = std::filesystem;
    static const int statistics = zorvel::CountStatistics();
    static const fs::path folder = fuzz::Scratch() / "REPORTS";
    FuzzedDataProvider input(data, size);

    const auto selection = static_cast<zorvel::Selection>(input.ConsumeIntegralInRange(0, 3));
    const auto layout = input.ConsumeBool() ? zorvel::Layout::Single : zorvel::Layout::Multiple;
    auto view = zorvel::CreateView();
    view->GridRows = input.ConsumeIntegralInRange<int16_t>(0, zorvel::kMaxGridRows);
    view->ColumnCount = input.ConsumeIntegralInRange(0, zorvel::kMaxColumns);
    for (int i = 0; i < view->ColumnCount; ++i) {
        zorvel::ColumnDef& column = view->Columns[i];
        Fill(input, column);
        column.Name[sizeof column.Name - 1] = '\0';  // every column source terminates its name
    }
    view->GridColumns = static_cast<int16_t>(view->ColumnCount + 1);

    auto tables = zorvel::CreatePortTables();
    const int named = input.ConsumeIntegralInRange(0, zorvel::kMaxPorts);
    for (int slot = 0; slot < named; ++slot) {
        Fill(input, tables->Names.Slots[slot]);
    }
    Fill(input, tables->Records[0]);
    Fill(input, tables->Counters.Slots[0]);

    fs::create_directories(folder);
    PlainEnvironment environment;
    const zorvel::ReportContext context{*view, *tables, statistics, environment, folder.string()};
    const int status = zorvel::WriteReport(context, selection, layout);
    fuzz::Require(status == zorvel::kReportOk, "a report into an empty folder is written");
    for (const fs::directory_entry& entry : fs::directory_iterator(fuzz::Scratch())) {
        fuzz::Require(entry.path() == folder, "reports stay inside their folder");
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        fuzz::Require(entry.is_regular_file(), "reports are plain files");
    }
    fs::remove_all(folder);
    return 0;
}
