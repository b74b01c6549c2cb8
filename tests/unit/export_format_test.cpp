// The export's output formats, its metric table and its failures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <set>

#include "monitor/export/export_formats.h"
#include "monitor/export/export_run.h"
#include "monitor/export/history_input.h"
#include "monitor/export/output_name.h"
#include "monitor/history/history_file.h"
#include "monitor/stats/catalogue.h"
#include "monitor/stats/statistic_values.h"
#include "monitor/stats/statistics_file.h"
#include "tests/unit/temp_dir.h"

using namespace zorvel;

namespace {

// COM5 with plain numbers; a name that needs quoting with a View report's texts.
PortRows TwoPorts() {
    PortRows rows;
    rows.Sources = {"hall.txt"};
    rows.Rows.push_back({"COM5", "12/08/26 06:00", {{0, "1"}, {3, "0"}, {6, "12345"}}});
    rows.Rows.push_back({"a,\"b\"\\", "12/08/26 06:00", {{0, "On"}, {6, " 1.234M"}, {42, "0:01:02"}}});
    return rows;
}

TEST(ExportMetrics, OneFamilyPerStatisticAndTheLiveSlotMarked) {
    ASSERT_EQ(kCatalogueSize, CountStatistics());
    // Only the live counter slot filled: exactly the statistics that read it move.
    auto tables = CreatePortTables();
    std::memset(&tables->Counters.Slots[0], 0xFF, sizeof(CounterSlot));
    std::set<std::string> metrics;
    for (int s = 0; s < kCatalogueSize; ++s) {
        const Statistic& statistic = kStatistics[s];
        EXPECT_EQ(ReadsLiveSlot(statistic), StatisticValue(*tables, s + 1, 0) != 0) << statistic.Name;
        EXPECT_TRUE(metrics.insert(statistic.Metric).second) << statistic.Metric;
    }
}

TEST(ExportFormats, CsvQuotesWhatSpreadsheetsWouldBreakOrTrim) {
    EXPECT_EQ(
        "Port,Open,\"CD \",TxTotal,CDRunTime\r\n"
        "COM5,1,0,12345,\r\n"
        "\"a,\"\"b\"\"\\\",On,,\" 1.234M\",0:01:02\r\n",
        FormatCsv(TwoPorts(), false));
    PortRows timed = TwoPorts();
    timed.Rows.resize(1);
    timed.Rows[0].Stamp.reset();
    EXPECT_EQ("Port,Time,Open,\"CD \",TxTotal\r\nCOM5,,1,0,12345\r\n", FormatCsv(timed, true));
}

TEST(ExportFormats, JsonNumbersForPlainValuesAndStringsForTheRest) {
    PortRows rows = TwoPorts();
    rows.Rows[1].Name = "COM\xFF";
    EXPECT_EQ(R"({
  "source": "hall.txt",
  "stamp": "12/08/26 06:00",
  "ports": [
    {
      "name": "COM5",
      "statistics": {
        "Open": 1,
        "CD ": 0,
        "TxTotal": 12345
      }
    },
    {
      "name": "COM�",
      "statistics": {
        "Open": "On",
        "TxTotal": " 1.234M",
        "CDRunTime": "0:01:02"
      }
    }
  ]
}
)",
              FormatJson(rows, false));
    rows.Sources.push_back("calcs.dat");
    rows.Rows[1].Stamp.reset();
    const std::string two = FormatJson(rows, true);
    EXPECT_NE(std::string::npos,
              two.find("\"source\": [\n    \"hall.txt\",\n    \"calcs.dat\"\n  ],\n  \"stamp\": null"))
        << two;
    EXPECT_NE(std::string::npos, two.find("\"name\": \"COM5\",\n      \"time\": \"12/08/26 06:00\"")) << two;
}

TEST(ExportFormats, PrometheusSamplesOnlyPlainNumbersOncePerPort) {
    PortRows rows = TwoPorts();
    rows.Rows[1].Values[6] = "77";
    rows.Rows[1].Name += "\n\xC3";
    rows.Rows.push_back({"COM5", std::nullopt, {{6, "999"}, {39, "3"}}});
    Diagnostics diagnostics;
    EXPECT_EQ(
        "# HELP zorvel_open Open: 1 while the port is open, else 0.\n"
        "# TYPE zorvel_open gauge\n"
        "zorvel_open{board=\"b\\\"1\",port=\"COM5\"} 1\n"
        "# HELP zorvel_cd CD : carrier detect, 1 or 0.\n"
        "# TYPE zorvel_cd gauge\n"
        "zorvel_cd{board=\"b\\\"1\",port=\"COM5\"} 0\n"
        "# HELP zorvel_tx_bytes_total TxTotal: characters transmitted since the last reset.\n"
        "# TYPE zorvel_tx_bytes_total counter\n"
        "zorvel_tx_bytes_total{board=\"b\\\"1\",port=\"COM5\"} 12345\n"
        "zorvel_tx_bytes_total{board=\"b\\\"1\",port=\"a,\\\"b\\\"\\\\\\n\xEF\xBF\xBD\"} 77\n"
        "# HELP zorvel_cd_runs_total CDRuns: times carrier detect came on since the last reset.\n"
        "# TYPE zorvel_cd_runs_total counter\n"
        "zorvel_cd_runs_total{board=\"b\\\"1\",port=\"COM5\"} 3\n",
        FormatPrometheus(rows, std::string("b\"1"), diagnostics));
    EXPECT_EQ((std::vector<std::string>{"port \"COM5\" has values of one statistic from more than one row; only the "
                                        "first is exported"}),
              diagnostics.Messages());
}

TEST(ExportRun, BadInputsFailWithTheFileNamedAndNothingWritten) {
    TempDir dir;
    const std::string report = "******** RePort, Date:12/08/26 06:00\r\n\r\n\r\n==== Port:COM5\r\nOpen=1\r\n";
    dir.Write("good.txt", report);
    ASSERT_EQ(common::WriteResult::Ok, SaveHistory(dir.Path("history.dat"), *CreateHistory()));
    const std::string history = dir.Read("history.dat");
    dir.Write("cut.hist", history.substr(0, 40));
    dir.Write("tag.hist", "ZORVHIS!" + history.substr(8));
    dir.Write("version.hist", history.substr(0, 8) + std::string("\x02\0\0\0", 4) + history.substr(12));
    std::filesystem::create_directory(dir.Path("folder"));
    dir.Write("short.dat", std::string(448, '\0'));
    dir.Write("cut.txt", report.substr(0, report.size() - 3));
    dir.Write("header.txt", "******** RePort, Date:12/08/26 06:00\r\n\r\n");
    dir.Write("lonely.txt", "Time\tOpen\r\n");
    dir.Write("notes.txt", "shopping list\r\n");
    dir.Write("empty.txt", "");
    dir.Write("bad.txt", report + "Open\r\n");
    struct Case {
        std::vector<std::string> inputs;
        int status;
        std::string message;  // after the first input's path
    } cases[] = {
        {{"missing.txt"}, kExportFailed, ": no such file"},
        {{"folder"}, kExportFailed, ": is a folder, not a report or calcs.dat; name the files in it"},
        {{"short.dat"},
         kExportFailed,
         ": 448 bytes of binary data, calcs.dat holds 29120: truncated or not a statistics file"},
        {{"cut.txt"}, kExportFailed, ": truncated: its last line has no line end"},
        {{"header.txt"}, kExportFailed, ": truncated: the report header and no port"},
        {{"lonely.txt"}, kExportFailed, ": truncated: the header line and no report line"},
        {{"notes.txt"}, kExportFailed, ": neither a report (no report header) nor calcs.dat (not 29120 bytes)"},
        {{"empty.txt"}, kExportFailed, ": empty, neither a report nor calcs.dat"},
        {{"missing.txt", "good.txt"}, kExportFailed, ": no such file"},
        {{"bad.txt"}, kExportLinesSkipped, ":6: not a statistic line, skipped: \"Open\""},
        {{"cut.hist"}, kExportFailed, ": 40 bytes, history.dat holds 3941320: truncated or damaged"},
        {{"tag.hist"}, kExportFailed, ": the size of history.dat but not its header: damaged"},
        {{"version.hist"}, kExportFailed, ": history.dat of version 2, this export reads version 1"},
        {{"history.dat", "good.txt"},
         kExportFailed,
         ": a history is exported on its own, without reports or calcs.dat"},
        {{"good.txt"}, kExportOk, ""},
    };
    for (const Case& c : cases) {
        const std::string output = dir.Path("out.csv");
        dir.Write("out.csv", "previous");
        ExportOptions options;
        options.Format = ExportFormat::Csv;
        options.Output = output;
        for (const std::string& input : c.inputs) {
            options.Inputs.push_back(dir.Path(input.c_str()));
        }
        std::string standardOutput;
        std::vector<std::string> messages;
        EXPECT_EQ(c.status, RunExport(options, standardOutput, messages)) << c.inputs[0];
        const std::vector<std::string> expected =
            c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{options.Inputs[0] + c.message};
        EXPECT_EQ(expected, messages);
        EXPECT_EQ(c.status == kExportFailed ? "previous" : "Port,Open\r\nCOM5,1\r\n", dir.Read("out.csv"))
            << c.inputs[0];
        EXPECT_TRUE(standardOutput.empty());
        EXPECT_FALSE(std::filesystem::exists(output + ".tmp"));
    }
}

TEST(ExportRun, AnOutputThatCannotBeWrittenSaysWhy) {
    TempDir dir;
    const std::string input =
        dir.Write("good.txt", "******** RePort, Date:12/08/26 06:00\r\n\r\n\r\n==== Port:COM5\r\nOpen=1\r\n");
    std::filesystem::create_directory(dir.Path("folder"));
    const std::string readOnly = dir.Write("kept.csv", "previous");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    const struct {
        std::string Output;
        std::string Reason;
    } cases[] = {
        {dir.Path("com5.csv"), "COM5 is a reserved device name on Windows, with any extension; choose another name"},
        {dir.Path("folder"), "it is a folder; name a file in it"},
        {dir.Path("missing") + "/out.csv", "No such file or directory"},
        {readOnly, "the file is marked read-only"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Output);
        ExportOptions options;
        options.Output = c.Output;
        options.Inputs = {input};
        std::string standardOutput;
        std::vector<std::string> messages;
        EXPECT_EQ(kExportFailed, RunExport(options, standardOutput, messages));
        EXPECT_EQ(std::vector<std::string>{c.Output + ": cannot be created or replaced: " + c.Reason}, messages);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.Path("com5.csv")));
    EXPECT_EQ("previous", dir.Read("kept.csv"));
}

TEST(ExportRun, ReservedDeviceNamesWithAnyExtension) {
    const struct {
        const char* Path;
        const char* Device;
    } cases[] = {
        {"com5.csv", "COM5"}, {"REPORTS\\Lpt9.prom.tmp", "LPT9"},
        {"c:nul", "NUL"},     {"out/aux .txt", "AUX"},
        {"con", "CON"},       {"prn.json", "PRN"},
        {"com0.csv", ""},     {"com10.csv", ""},
        {"console.csv", ""},  {"COM5\\ports.csv", ""},
        {"hCOM5.csv", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.Device, ReservedDeviceName(c.Path)) << c.Path;
    }
}

TEST(ExportRun, WildcardsBecomeTheFilesTheyMatchAndAPatternWithoutOneFails) {
    std::vector<std::string> asked;
    const PatternMatcher matcher = [&asked](const std::string& pattern) {
        asked.push_back(pattern);
        return pattern == "REPORTS\\hCOM1*.txt" ? std::vector<std::string>{"hCOM12.txt", "hCOM10.txt"}
                                                : std::vector<std::string>{};
    };
    Diagnostics diagnostics;
    EXPECT_EQ((std::vector<std::string>{"calcs.dat", "REPORTS\\hCOM10.txt", "REPORTS\\hCOM12.txt"}),
              ExpandInputs({"calcs.dat", "REPORTS\\hCOM1*.txt", "x?.txt"}, matcher, diagnostics));
    EXPECT_EQ((std::vector<std::string>{"REPORTS\\hCOM1*.txt", "x?.txt"}), asked);
    EXPECT_EQ(std::vector<std::string>{"x?.txt: no file matches"}, diagnostics.Messages());
    EXPECT_TRUE(diagnostics.Failed());

    Diagnostics none;
    EXPECT_EQ(std::vector<std::string>{"h*.txt"}, ExpandInputs({"h*.txt"}, PatternMatcher(), none));
    EXPECT_FALSE(none.Failed());
}

// 2026-12-11 00:00 UTC: the minute ring's place 0, so that oldest first is not place order.
constexpr uint32_t kMidnight = 1796947200 / 60;

TEST(ExportHistory, BucketsThatHoldDataOldestFirstAsCsvAndJson) {
    const char* zone = std::getenv("TZ");
    const std::string before = zone != nullptr ? zone : "";
    setenv("TZ", "<+01>-1", 1);  // local time an hour ahead, with or without a zone database
    tzset();
    TempDir dir;
    auto history = CreateHistory();
    history->Header.LastMinute = kMidnight + 2;
    history->MinuteStamps[1439] = kMidnight - 1;
    history->Minutes[1439][1] = {60, 120, 2, kBucketSampled | kBucketCarrier};
    history->MinuteStamps[1] = kMidnight + 1;
    history->Minutes[1][0] = {7, 8, 0, kBucketSampled};
    history->Minutes[1][1] = {9, 9, 9, kBucketCarrier};     // not sampled
    history->Minutes[1][2] = {5, 5, 0, kBucketSampled};     // beyond the names
    history->MinuteStamps[0] = kMidnight - kMinuteBuckets;  // a day stale
    history->Minutes[0][0] = {1, 1, 1, kBucketSampled};
    const uint32_t hour = kMidnight / 60;
    history->HourStamps[(hour - 1) % kHourBuckets] = hour - 1;
    history->Hours[(hour - 1) % kHourBuckets][0] = {3600, 7200, 70000, kBucketSampled};
    history->HourStamps[hour % kHourBuckets] = hour;
    history->Hours[hour % kHourBuckets][1] = {67, 180, 2, kBucketSampled | kBucketCarrier};
    ASSERT_EQ(common::WriteResult::Ok, SaveHistory(dir.Path("history.dat"), *history));
    dir.Write("names.txt", "\r\nhall \"B\"\r\n");

    ExportOptions options;
    options.NamesFile = dir.Path("names.txt");
    options.Inputs = {dir.Path("history.dat")};
    const struct {
        ExportFormat Format;
        int Status;
        std::string Output;
    } cases[] = {
        {ExportFormat::Csv, kExportOk,
         "Port,Bucket,StartUTC,StartLocal,Tx,Rx,Errors,Carrier\r\n"
         "\"hall \"\"B\"\"\",minute,2026-12-10T23:59:00Z,2026-12-11T00:59:00,60,120,2,1\r\n"
         "0,minute,2026-12-11T00:01:00Z,2026-12-11T01:01:00,7,8,0,0\r\n"
         "0,hour,2026-12-10T23:00:00Z,2026-12-11T00:00:00,3600,7200,70000,0\r\n"
         "\"hall \"\"B\"\"\",hour,2026-12-11T00:00:00Z,2026-12-11T01:00:00,67,180,2,1\r\n"},
        {ExportFormat::Json, kExportOk,
         "{\n  \"source\": \"" + options.Inputs[0] + "\",\n  \"buckets\": [\n" +
             R"(    {"port":"hall \"B\"","bucket":"minute","start_utc":"2026-12-10T23:59:00Z","start_local":"2026-12-11T00:59:00","tx":60,"rx":120,"errors":2,"carrier":1},
    {"port":"0","bucket":"minute","start_utc":"2026-12-11T00:01:00Z","start_local":"2026-12-11T01:01:00","tx":7,"rx":8,"errors":0,"carrier":0},
    {"port":"0","bucket":"hour","start_utc":"2026-12-10T23:00:00Z","start_local":"2026-12-11T00:00:00","tx":3600,"rx":7200,"errors":70000,"carrier":0},
    {"port":"hall \"B\"","bucket":"hour","start_utc":"2026-12-11T00:00:00Z","start_local":"2026-12-11T01:00:00","tx":67,"rx":180,"errors":2,"carrier":1}
  ]
}
)"},
        {ExportFormat::Table, kExportFailed, ""},
        {ExportFormat::Prometheus, kExportFailed, ""},
    };
    for (const auto& c : cases) {
        options.Format = c.Format;
        std::string output;
        std::vector<std::string> messages;
        EXPECT_EQ(c.Status, RunExport(options, output, messages));
        EXPECT_EQ(c.Output, output);
        EXPECT_EQ(c.Status == kExportOk
                      ? std::vector<std::string>{}
                      : std::vector<std::string>{options.Inputs[0] +
                                                 ": a history is exported with --format csv or json only"},
                  messages);
    }
    zone != nullptr ? setenv("TZ", before.c_str(), 1) : unsetenv("TZ");
    tzset();
}

TEST(ExportHistory, UtcTextAgreesWithTheCLibraryOverA400YearCycleAndAtTheLastStamp) {
    for (int64_t day = 0; day <= 146097 + 366; ++day) {
        const std::time_t time = day > 146097 + 365 ? 0xFFFFFFFFll * 60 : day * 86400 + 86399;
        char text[32];
        std::tm utc{};
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", gmtime_r(&time, &utc));
        ASSERT_EQ(text, UtcText(time));
    }
}

}  // namespace
