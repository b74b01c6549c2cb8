// Writes what the monitor leaves after a few minutes on its simulated source, with
// the monitor's own report writer: a Single and Multiple "All Data" hour report
// (the Multiple one twice, so its files hold two value lines), calcs.dat and
// history.dat.
// Usage: write_sample_reports FOLDER (REPORTS is made inside it).
#include <cstdio>
#include <filesystem>

#include "monitor/driver/simulated_source.h"
#include "monitor/grid/view_state.h"
#include "monitor/history/history_file.h"
#include "monitor/reports/report_writer.h"
#include "monitor/stats/catalogue.h"
#include "monitor/stats/port_sampling.h"
#include "monitor/stats/statistics_file.h"

using namespace zorvel;

namespace {

struct FixedEnvironment : ReportEnvironment {
    void Stamp(std::string& date, std::string& time) override {
        date = "12/08/26";
        time = "06:00";
    }
    double FreeDiskBytes() override { return 1e12; }
    void StartProgram(const std::string&) override {}
};

constexpr uint32_t kTickMs = 2000;
constexpr int64_t kStart = 1796709300;  // 2026-12-08 05:55 UTC

// The simulated source never raises carrier detect; a few ports get it here so
// that the carrier statistics are not all 0.
void Tick(SimulatedSource& source, PortTables& tables, int ports, int tick) {
    source.Request(kRequestCounterRead);
    for (int p = 0; p < ports; ++p) {
        CounterSlot& slot = tables.Counters.Slots[p];
        if (p % 4 == 1 && (tick + p) % 7 < 3) {
            slot.PortStatus = static_cast<uint16_t>(slot.PortStatus | kStatusCd);
        }
        SamplePort(tables.Records[p], slot, kTickMs);
    }
}

void Minutes(SimulatedSource& source, PortTables& tables, HistoryKeeper& history, int ports, int minutes, int& tick) {
    for (int minute = 0; minute < minutes; ++minute) {
        for (int k = 0; k < 30; ++k) {
            Tick(source, tables, ports, tick++);
        }
        for (int p = 0; p < ports; ++p) {
            EndMinute(tables.Records[p], 30 * kTickMs);
        }
        history.EndMinute(tables, ports, kStart + tick * kTickMs / 1000);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_sample_reports FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::filesystem::create_directories(folder + "/REPORTS");
    auto tables = CreatePortTables();
    SimulatedSource source(*tables);
    source.Request(kRequestPortList);
    const int ports = CountPorts(tables->Names);
    int tick = 0;
    auto history = CreateHistory();
    HistoryKeeper keeper(*history);
    Minutes(source, *tables, keeper, ports, 3, tick);
    for (int p = 0; p < ports; ++p) {
        EndHour(tables->Records[p]);
    }
    // Into the next hour, so that the first one is summed.
    Minutes(source, *tables, keeper, ports, 3, tick);

    auto view = CreateView();
    view->GridRows = static_cast<int16_t>(ports + 1);
    FixedEnvironment environment;
    const ReportContext context{*view, *tables, CountStatistics(), environment, folder + "/REPORTS"};
    int status = WriteReport(context, Selection::All, Layout::Multiple);
    Tick(source, *tables, ports, tick++);
    status |= WriteReport(context, Selection::All, Layout::Multiple);
    status |= WriteReport(context, Selection::All, Layout::Single);
    const bool saved = SaveStatistics((folder + "/calcs.dat").c_str(), tables->Records) == common::WriteResult::Ok &&
                       SaveHistory(folder + "/history.dat", *history) == common::WriteResult::Ok;
    if (status != kReportOk || !saved) {
        std::fprintf(stderr, "write_sample_reports: writing into %s failed\n", folder.c_str());
        return 1;
    }
    return 0;
}
