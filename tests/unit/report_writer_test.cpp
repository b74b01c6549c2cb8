#include "monitor/reports/report_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "monitor/grid/columns.h"
#include "monitor/reports/report_runs.h"
#include "monitor/stats/catalogue.h"
#include "tests/unit/fake_report_environment.h"
#include "tests/unit/temp_dir.h"

using namespace zorvel;

namespace {

struct ReportTest : ::testing::Test {
    TempDir dir;
    FakeReportEnvironment environment;
    std::unique_ptr<ViewState> view = CreateView();
    std::unique_ptr<PortTables> tables = CreatePortTables();
    ReportContext context{*view, *tables, CountStatistics(), environment, dir.Path("REPORTS")};

    void SetUp() override {
        std::filesystem::create_directory(dir.Path("REPORTS"));
        std::strcpy(tables->Names.Slots[0].Name, "COM5");
        std::strcpy(tables->Names.Slots[1].Name, "COM6");
        view->GridRows = 3;
    }
    std::string Report(const char* name) { return dir.Read((std::string("REPORTS/") + name).c_str()); }
    void ViewOf(std::initializer_list<std::pair<int, int>> inputsAndTypes) {
        view->ColumnCount = 0;
        for (auto [input, type] : inputsAndTypes) {
            ColumnDef& column = view->Columns[view->ColumnCount];
            if (input >= 1 && input <= 56) {
                InitColumn(*view, view->ColumnCount, input - 1);
            } else {
                std::strcpy(column.Name, "Stray");
                column.Input = static_cast<uint16_t>(input);
            }
            column.Type = static_cast<uint16_t>(type);
            ++view->ColumnCount;
        }
        view->GridColumns = static_cast<int16_t>(view->ColumnCount + 1);
    }
};

TEST_F(ReportTest, SingleHourReportForTwoPorts) {
    tables->Records[0].TxHourCnt = 77;
    tables->Records[1].CDHourRunTimeWrk = 2500;
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::Hour, Layout::Single));
    const std::string hourNames[] = {"TxCPSHourAvMax", "RxCPSHourAvMax",  "TxHourCnt",         "RxHourCnt",
                                     "TxHourCntWrk",   "RxHourCntWrk",    "TxCPSHourAvMaxWrk", "RxCPSHourAvMaxWrk",
                                     "CDHourRunTime",  "CDHourRunTimeWrk"};
    std::string expected = "******** RePort, Date:12/08/26 06:00\r\n\r\n";
    for (int port = 0; port < 2; ++port) {
        expected += "\r\n==== Port:" + std::string(port == 0 ? "COM5" : "COM6") + "\r\n";
        for (const std::string& name : hourNames) {
            std::string value = "0";
            if (port == 0 && name == "TxHourCnt")
                value = "77";
            if (port == 1 && name == "CDHourRunTimeWrk")
                value = "2";
            expected += name + "=" + value + "\r\n";
        }
    }
    EXPECT_EQ(expected, Report("hall.txt"));
    // Rewritten, not appended, by the next report.
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::Hour, Layout::Single));
    EXPECT_EQ(expected, Report("hall.txt"));
}

TEST_F(ReportTest, MultipleAllGetsOneHeaderLineThenValueLines) {
    tables->Counters.Slots[0].PortStatus = kStatusCd | kStatusOpen;
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::All, Layout::Multiple));
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::All, Layout::Multiple));
    const std::string text = Report("hCOM5.txt");
    const std::string header = text.substr(0, text.find("\r\n"));
    EXPECT_EQ(0u, header.find("Time\tOpen\tCTS\tDSR\tCD \tRTS\tDTR\tTxTotal\t"));
    EXPECT_EQ(header.size() - std::string("ParityErrorsRaw").size(), header.rfind("ParityErrorsRaw"));
    const size_t second = text.find("\r\n") + 2;
    const std::string valueLine = text.substr(second, text.find("\r\n", second) - second);
    EXPECT_EQ(0u, valueLine.find("12/08/26 06:00\t1\t0\t0\t1\t0\t0\t0\t")) << valueLine;
    EXPECT_EQ(56, std::count(valueLine.begin(), valueLine.end(), '\t'));
    EXPECT_EQ(3, std::count(text.begin(), text.end(), '\n'));
}

TEST_F(ReportTest, AnExistingEmptyFileGetsTheHeaderAndAHeaderOnlyFileDoesNot) {
    dir.Write("REPORTS/hCOM5.txt", "");
    dir.Write("REPORTS/hCOM6.txt", "Time\tOld\r\n");
    ViewOf({});
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::View, Layout::Multiple));
    EXPECT_EQ("Time\t\r\n12/08/26 06:00\t\r\n", Report("hCOM5.txt"));
    EXPECT_EQ("Time\tOld\r\n12/08/26 06:00\t\r\n", Report("hCOM6.txt"));
}

TEST_F(ReportTest, SingleAllKeepsTheBlankOfCdAndViewUsesColumnTypes) {
    tables->Counters.Slots[0].PortStatus = kStatusCd;
    view->GridRows = 2;
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::All, Layout::Single));
    EXPECT_NE(std::string::npos, Report("hall.txt").find("\r\nCD =1\r\n"));

    tables->Counters.Slots[0].PortStatus = kStatusOpen;
    tables->Records[0].TxTotal = 1234000;
    ViewOf({{1, 1}, {7, 2}, {200, 0}});
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::View, Layout::Single));
    EXPECT_EQ(
        "******** RePort, Date:12/08/26 06:00\r\n\r\n\r\n==== Port:COM5\r\n"
        "Open=On\r\nTxTotal= 1.234M\r\nInput200=12345\r\n",
        Report("hall.txt"));
}

TEST_F(ReportTest, ViewReportWithoutColumnsWritesAnEmptyLinePerPort) {
    ViewOf({});
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::View, Layout::Single));
    EXPECT_EQ("******** RePort, Date:12/08/26 06:00\r\n\r\n\r\n==== Port:COM5\r\n\r\n\r\n==== Port:COM6\r\n\r\n",
              Report("hall.txt"));
}

TEST_F(ReportTest, DayDataGoesToDFilesAndEverythingElseToHFiles) {
    ProgramSettings settings;
    settings.DayMulti = 1;
    settings.DaySingle = 2;
    ASSERT_EQ(kReportOk, RunDayReports(context, settings));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("REPORTS/dCOM5.txt")));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("REPORTS/hall.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("REPORTS/dall.txt")));
    EXPECT_NE(std::string::npos, Report("dCOM5.txt").find("\tTxTotalRaw\t"));
    EXPECT_EQ(std::string::npos, Report("dCOM5.txt").find("TxHourCnt"));
}

TEST_F(ReportTest, HourAndDayRunsAppendDifferentShapesToTheSameFile) {
    ProgramSettings settings;
    settings.HourMulti = 1;
    settings.DayMulti = 2;
    ASSERT_EQ(kReportOk, RunHourReports(context, settings));
    ASSERT_EQ(kReportOk, RunDayReports(context, settings));
    const std::string text = Report("hCOM6.txt");
    std::vector<size_t> tabs;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = text.substr(start, end - start);
        tabs.push_back(static_cast<size_t>(std::count(line.begin(), line.end(), '\t')));
    }
    EXPECT_EQ((std::vector<size_t>{10, 10, 56}), tabs);
}

TEST_F(ReportTest, StatusesAndTheFreeSpaceBoundary) {
    environment.Free = 1999999;
    EXPECT_EQ(kReportNoSpace, WriteReport(context, Selection::All, Layout::Single));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("REPORTS/hall.txt")));
    environment.Free = 2000000;
    EXPECT_EQ(kReportOk, WriteReport(context, Selection::All, Layout::Single));

    dir.Write("REPORTS/hCOM5.txt", std::string(2000001, 'x'));
    EXPECT_EQ(kReportFileFull, WriteReport(context, Selection::All, Layout::Multiple));
    EXPECT_EQ(2000001u, Report("hCOM5.txt").size());
    EXPECT_FALSE(std::filesystem::exists(dir.Path("REPORTS/hCOM6.txt")));
    dir.Write("REPORTS/hCOM5.txt", std::string(2000000, 'x'));
    EXPECT_EQ(kReportOk, WriteReport(context, Selection::All, Layout::Multiple));

    std::filesystem::remove_all(dir.Path("REPORTS"));
    EXPECT_EQ(kReportFileFailed, WriteReport(context, Selection::Hour, Layout::Single));
    EXPECT_EQ((std::vector<std::string>{context.Folder + "/hCOM5.txt 3", context.Folder + "/hall.txt 2"}),
              environment.Failed)
        << "each failed file named with its status";
}

TEST_F(ReportTest, AFullDiskGivesStatusTwoAndKeepsThePreviousSingleReportWhole) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full to stand for a full disk";
    }
    const std::string previous = "******** RePort, Date:earlier\r\n";
    dir.Write("REPORTS/hall.txt", previous);
    // Every write into these names fails once the buffer is flushed.
    std::filesystem::create_symlink("/dev/full", dir.Path("REPORTS/hCOM5.txt"));
    std::filesystem::create_symlink("/dev/full", dir.Path("REPORTS/hall.txt.tmp"));
    EXPECT_EQ(kReportFileFailed, WriteReport(context, Selection::All, Layout::Multiple));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("REPORTS/hCOM6.txt")));
    EXPECT_EQ(kReportFileFailed, WriteReport(context, Selection::All, Layout::Single));
    EXPECT_EQ(previous, Report("hall.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("REPORTS/hall.txt.tmp")));
}

TEST_F(ReportTest, TheRunReportsItsFirstFailureAndStartsTheProgramAnyway) {
    ProgramSettings settings;
    settings.HourMulti = 2;
    settings.HourSingle = 2;
    settings.HourSpawn = "collect.exe";
    dir.Write("REPORTS/hCOM5.txt", std::string(2000001, 'x'));
    EXPECT_EQ(kReportFileFull, RunHourReports(context, settings));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("REPORTS/hall.txt")));
    EXPECT_EQ((std::vector<std::string>{"collect.exe"}), environment.Started);
}

TEST_F(ReportTest, NoChoicesAndNoProgramDoNothing) {
    ProgramSettings settings;
    settings.HourMulti = 7;
    settings.HourSingle = -1;
    EXPECT_EQ(kReportOk, RunHourReports(context, settings));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path("REPORTS")));
    EXPECT_TRUE(environment.Started.empty());
}

TEST_F(ReportTest, PortNamesBecomeSafeFileStems) {
    EXPECT_EQ("COM5", SafeFileStem("COM5"));
    EXPECT_EQ("a_b_c_d_e_f_g_h_i_j", SafeFileStem("a\\b/c:d*e?f\"g<h>i|j"));
    EXPECT_EQ("x_y", SafeFileStem("x\ty"));
    std::strcpy(tables->Names.Slots[0].Name, "..\\evil");
    ASSERT_EQ(kReportOk, WriteReport(context, Selection::Hour, Layout::Multiple));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("REPORTS/h.._evil.txt")));
}

}  // namespace
