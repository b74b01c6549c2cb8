// The export's readers over files the monitor's own writers produced.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "monitor/export/input_file.h"
#include "monitor/grid/columns.h"
#include "monitor/stats/cell_text.h"
#include "monitor/stats/catalogue.h"
#include "monitor/stats/statistic_values.h"
#include "monitor/stats/statistics_file.h"
#include "tests/unit/fake_report_environment.h"
#include "tests/unit/temp_dir.h"

using namespace zorvel;

namespace {

using Values = std::map<int, std::string>;

struct ExportReadTest : ::testing::Test {
    TempDir dir;
    FakeReportEnvironment environment;
    std::unique_ptr<ViewState> view = CreateView();
    std::unique_ptr<PortTables> tables = CreatePortTables();
    ReportContext context{*view, *tables, CountStatistics(), environment, dir.Path("REPORTS")};
    Diagnostics diagnostics;

    // Every field of every port differs, so a value read under the wrong name shows.
    void SetUp() override {
        std::filesystem::create_directory(dir.Path("REPORTS"));
        for (int port = 0; port < 3; ++port) {
            std::snprintf(tables->Names.Slots[port].Name, sizeof(NameSlot::Name), "COM%d", port + 5);
            auto* record = reinterpret_cast<unsigned char*>(&tables->Records[port]);
            for (size_t i = 0; i < sizeof(StatsRecord); ++i) {
                record[i] = static_cast<unsigned char>(i * 7 + port * 31 + 1);
            }
            auto* slot = reinterpret_cast<unsigned char*>(&tables->Counters.Slots[port]);
            for (size_t i = 0; i < sizeof(CounterSlot); ++i) {
                slot[i] = static_cast<unsigned char>(i * 13 + port * 5 + 3);
            }
        }
        view->GridRows = 4;
    }

    PortRows Read(std::initializer_list<std::string> files, bool allLines = false,
                  const std::vector<std::string>* names = nullptr) {
        PortRows rows;
        ReadOptions options;
        options.AllLines = allLines;
        options.Names = names;
        for (const std::string& file : files) {
            ReadInput(dir.Path(file.c_str()), options, rows, diagnostics);
        }
        return rows;
    }

    Values Expected(Selection selection, int port) {
        Values values;
        for (int input : SelectionInputs(selection, CountStatistics())) {
            values[input - 1] = std::to_string(StatisticValue(*tables, input, port));
        }
        return values;
    }
};

TEST_F(ExportReadTest, ReportsOfEitherLayoutReadBackAsWritten) {
    struct Case {
        Selection selection;
        Layout layout;
        const char* file;
        int firstPort;
    } cases[] = {
        {Selection::All, Layout::Single, "REPORTS/hall.txt", 0},
        {Selection::Hour, Layout::Single, "REPORTS/hall.txt", 0},
        {Selection::Day, Layout::Multiple, "REPORTS/dCOM6.txt", 1},
        {Selection::All, Layout::Multiple, "REPORTS/hCOM7.txt", 2},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(dir.Path("REPORTS"));
        std::filesystem::create_directory(dir.Path("REPORTS"));
        ASSERT_EQ(kReportOk, WriteReport(context, c.selection, c.layout));
        const PortRows rows = Read({c.file});
        ASSERT_FALSE(diagnostics.Failed()) << c.file << ": " << diagnostics.Messages().front();
        EXPECT_FALSE(diagnostics.Skipped()) << c.file;
        ASSERT_EQ(c.layout == Layout::Single ? 3u : 1u, rows.Rows.size()) << c.file;
        for (size_t k = 0; k < rows.Rows.size(); ++k) {
            const int port = c.firstPort + static_cast<int>(k);
            EXPECT_EQ("COM" + std::to_string(port + 5), rows.Rows[k].Name);
            EXPECT_EQ("12/08/26 06:00", rows.Rows[k].Stamp.value_or("none"));
            EXPECT_EQ(Expected(c.selection, port), rows.Rows[k].Values) << c.file << " port " << port;
        }
    }
}

TEST_F(ExportReadTest, PerPortFileGivesItsLastLineOrEveryLineWhateverItsShape) {
    // An hour run's Hour lines, then a day run's All line under the Hour header.
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::Hour, Layout::Multiple));
    tables->Records[0].TxTotal = 4242;
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::All, Layout::Multiple));

    const PortRows last = Read({"REPORTS/hCOM5.txt"});
    ASSERT_EQ(1u, last.Rows.size());
    EXPECT_EQ(Expected(Selection::All, 0), last.Rows[0].Values);
    EXPECT_EQ("4242", last.Rows[0].Values.at(6));

    const PortRows every = Read({"REPORTS/hCOM5.txt"}, true);
    ASSERT_EQ(2u, every.Rows.size());
    EXPECT_EQ(10u, every.Rows[0].Values.size());
    EXPECT_EQ(56u, every.Rows[1].Values.size());
    EXPECT_FALSE(diagnostics.Skipped());

    // A line of no known shape is skipped with its number; without --all-lines
    // the line before it stands in.
    const std::string file = "REPORTS/hCOM5.txt";
    dir.Write(file.c_str(), dir.Read(file.c_str()) + "12/08/26 07:00\t1\t2\r\n");
    const PortRows afterDamage = Read({file});
    ASSERT_EQ(1u, afterDamage.Rows.size());
    EXPECT_EQ("4242", afterDamage.Rows[0].Values.at(6));
    ASSERT_EQ(1u, diagnostics.Messages().size());
    EXPECT_EQ(dir.Path(file.c_str()) + ":4: 2 values where the header names 10, skipped", diagnostics.Messages()[0]);
}

TEST_F(ExportReadTest, ViewReportKeepsTextsPrefersPlainNumbersAndPassesOverPlaceholders) {
    view->ColumnCount = 4;
    InitColumn(*view, 0, 0);
    view->Columns[0].Type = kTypeOnOff;
    InitColumn(*view, 1, 6);
    view->Columns[1].Type = kTypeScaled;
    InitColumn(*view, 2, 6);
    view->Columns[2].Type = kTypeInteger;
    view->Columns[3].Input = 200;
    view->GridColumns = 5;
    tables->Counters.Slots[0].PortStatus = kStatusOpen;
    tables->Records[0].TxTotal = 1234000;
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::View, Layout::Single));
    const PortRows rows = Read({"REPORTS/hall.txt"});
    ASSERT_EQ(3u, rows.Rows.size());
    EXPECT_EQ((Values{{0, "On"}, {6, "1234000"}}), rows.Rows[0].Values);
    EXPECT_TRUE(diagnostics.Messages().empty());
}

TEST_F(ExportReadTest, StatisticsFileGivesTheRecordsStatisticsOnly) {
    std::memset(&tables->Records[3], 0, sizeof(StatsRecord) * (kPortSlots - 3));
    tables->Records[5].CDRuns = 9;
    ASSERT_EQ(common::WriteResult::Ok, SaveStatistics(dir.Path("calcs.dat").c_str(), tables->Records));

    const PortRows numbered = Read({"calcs.dat"});
    ASSERT_EQ(6u, numbered.Rows.size());
    EXPECT_EQ("5", numbered.Rows[5].Name);
    EXPECT_FALSE(numbered.Rows[0].Stamp);
    Values expected;
    for (int s = 0; s < kCatalogueSize; ++s) {
        if (!ReadsLiveSlot(kStatistics[s])) {
            expected[s] = std::to_string(StatisticValue(*tables, s + 1, 1));
        }
    }
    EXPECT_EQ(43u, expected.size());
    EXPECT_EQ(expected, numbered.Rows[1].Values);

    const std::vector<std::string> names{"hall-1", "", "hall-3"};
    const PortRows named = Read({"calcs.dat"}, false, &names);
    ASSERT_EQ(3u, named.Rows.size());
    EXPECT_EQ("hall-1", named.Rows[0].Name);
    EXPECT_EQ("1", named.Rows[1].Name);
    EXPECT_FALSE(diagnostics.Failed());
}

TEST_F(ExportReadTest, DamagedLinesAreSkippedWithTheirNumbers) {
    view->GridRows = 2;
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::Hour, Layout::Single));
    std::string text = dir.Read("REPORTS/hall.txt");
    text.insert(text.find("\r\n") + 2, "stray=1\r\n");
    dir.Write("REPORTS/hall.txt", text + "TxHourCnt\r\nNoSuchStatistic=3\r\n");
    const PortRows rows = Read({"REPORTS/hall.txt"});
    ASSERT_EQ(1u, rows.Rows.size());
    EXPECT_EQ(Expected(Selection::Hour, 0), rows.Rows[0].Values);
    const std::string path = dir.Path("REPORTS/hall.txt");
    EXPECT_EQ((std::vector<std::string>{
                  path + ":2: not a statistic line, skipped: \"stray=1\"",
                  path + ":16: not a statistic line, skipped: \"TxHourCnt\"",
                  path + ":17: no such statistic, skipped: \"NoSuchStatistic=3\"",
              }),
              diagnostics.Messages());
    EXPECT_FALSE(diagnostics.Failed());
}

}  // namespace
