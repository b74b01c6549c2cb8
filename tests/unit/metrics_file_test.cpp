#include "monitor/stats/metrics_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "common/disk_space.h"
#include "tests/unit/recording_alerts.h"
#include "tests/unit/temp_dir.h"

using namespace zorvel;

namespace {

std::unique_ptr<PortTables> TwoPorts() {
    auto tables = CreatePortTables();
    std::strcpy(tables->Names.Slots[0].Name, "COM1");
    std::strcpy(tables->Names.Slots[1].Name, "CO\"M2");
    tables->Records[0].TxTotal = 4000000000u;
    tables->Counters.Slots[1].TxTotalRaw = 77;
    tables->Counters.Slots[1].RxPkts = 9;
    return tables;
}

TEST(MetricsFile, GaugesFirstThenEveryStatisticOfEveryListedPort) {
    const auto tables = TwoPorts();
    const std::string text =
        FormatMetricsFile(*tables, "hall-a", MetricsMoment{true, true, 1700000000, 2, int64_t{5000000000}});
    EXPECT_EQ(0u, text.find("# HELP zorvel_up 1 while the monitor samples, 0 once it has stopped.\n"
                            "# TYPE zorvel_up gauge\n"
                            "zorvel_up{board=\"hall-a\"} 1\n"
                            "# HELP zorvel_driver_up 1 while the driver answers the monitor's reads, 0 once one has "
                            "failed.\n"
                            "# TYPE zorvel_driver_up gauge\n"
                            "zorvel_driver_up{board=\"hall-a\"} 1\n"
                            "# HELP zorvel_last_sample_timestamp_seconds Unix time of the monitor's last counter read.\n"
                            "# TYPE zorvel_last_sample_timestamp_seconds gauge\n"
                            "zorvel_last_sample_timestamp_seconds{board=\"hall-a\"} 1700000000\n"
                            "# HELP zorvel_sample_period_seconds seconds between the monitor's counter reads "
                            "(UpdateTime).\n"
                            "# TYPE zorvel_sample_period_seconds gauge\n"
                            "zorvel_sample_period_seconds{board=\"hall-a\"} 2\n"
                            "# HELP zorvel_ports ports the driver lists.\n"
                            "# TYPE zorvel_ports gauge\n"
                            "zorvel_ports{board=\"hall-a\"} 2\n"
                            "# HELP zorvel_free_disk_bytes free bytes on the monitor folder's volume; reports and "
                            "settings stop at 2000000.\n"
                            "# TYPE zorvel_free_disk_bytes gauge\n"
                            "zorvel_free_disk_bytes{board=\"hall-a\"} 5000000000\n"));
    for (const char* line : {"zorvel_tx_bytes_total{board=\"hall-a\",port=\"COM1\"} 4000000000\n",
                             "zorvel_tx_raw_bytes_total{board=\"hall-a\",port=\"CO\\\"M2\"} 77\n",
                             "zorvel_rx_pkts_total{board=\"hall-a\",port=\"CO\\\"M2\"} 9\n"}) {
        EXPECT_NE(std::string::npos, text.find(line)) << line;
    }
    const auto samples = std::count_if(text.begin(), text.end(), [](char c) { return c == '}'; });
    EXPECT_EQ(6 + 56 * 2, samples);
    EXPECT_EQ(std::string::npos, text.find('\r'));
    EXPECT_EQ('\n', text.back());

    const std::string unnamed = FormatMetricsFile(*tables, "", MetricsMoment{false, false, std::nullopt, 5});
    EXPECT_EQ(0u, unnamed.find("# HELP zorvel_up 1 while the monitor samples, 0 once it has stopped.\n"
                               "# TYPE zorvel_up gauge\nzorvel_up 0\n"));
    EXPECT_NE(std::string::npos, unnamed.find("\nzorvel_driver_up 0\n"));
    EXPECT_EQ(std::string::npos, unnamed.find("zorvel_last_sample_timestamp_seconds"));
    EXPECT_EQ(std::string::npos, unnamed.find("zorvel_free_disk_bytes"));
    EXPECT_NE(std::string::npos, unnamed.find("zorvel_tx_bytes_total{port=\"COM1\"} 4000000000\n"));
}

// The family names of a file, in their order.
std::vector<std::string> FamilyNames(const std::string& text) {
    std::vector<std::string> names;
    for (size_t at = text.find("# TYPE "); at != std::string::npos; at = text.find("# TYPE ", at + 1)) {
        names.push_back(text.substr(at + 7, text.find(' ', at + 7) - at - 7));
    }
    return names;
}

const std::vector<std::string> kCountersFamilies = {
    "zorvel_up", "zorvel_driver_up", "zorvel_last_sample_timestamp_seconds", "zorvel_sample_period_seconds",
    "zorvel_ports", "zorvel_free_disk_bytes", "zorvel_open", "zorvel_cts", "zorvel_dsr", "zorvel_cd", "zorvel_rts", "zorvel_dtr",
    "zorvel_tx_bytes_total", "zorvel_rx_bytes_total", "zorvel_errors_total", "zorvel_tx_raw_bytes_total",
    "zorvel_rx_raw_bytes_total", "zorvel_cd_runs_total", "zorvel_cd_run_time_seconds_total", "zorvel_tx_pkts_total",
    "zorvel_rx_pkts_total", "zorvel_overrun_errors_total", "zorvel_framing_errors_total",
    "zorvel_parity_errors_total", "zorvel_overrun_errors_raw_total", "zorvel_framing_errors_raw_total",
    "zorvel_parity_errors_raw_total"};

TEST(MetricsFile, CountersKeepsWholeFamiliesOfTheFileAllWritesAsBefore) {
    const auto tables = TwoPorts();
    const MetricsMoment moment{true, true, 1700000000, 2, 5000000000};
    const std::string all = FormatMetricsFile(*tables, "hall-a", moment, nullptr, MetricFamilies::All);
    // 64-bit FNV-1a of the file the monitor wrote before it had a choice.
    uint64_t fingerprint = 14695981039346656037u;
    for (const unsigned char c : all) {
        fingerprint = (fingerprint ^ c) * 1099511628211u;
    }
    EXPECT_EQ(0x2b3d675fbb4a806fu, fingerprint) << all.size() << " bytes";

    std::string kept;
    for (size_t at = 0; at < all.size();) {
        const size_t next = std::min(all.find("# HELP ", at + 1), all.size());
        const std::string block = all.substr(at, next - at);
        if (std::count(kCountersFamilies.begin(), kCountersFamilies.end(), FamilyNames(block).at(0)) != 0) {
            kept += block;
        }
        at = next;
    }
    const std::string counters = FormatMetricsFile(*tables, "hall-a", moment, nullptr, MetricFamilies::Counters);
    EXPECT_EQ(kCountersFamilies, FamilyNames(counters));
    EXPECT_EQ(kept, counters);
}

// Every family the rules and the dashboard read is in the smaller file;
// recorded series (named with colons) are the rules' own.
TEST(MetricsFile, CountersHoldsEveryFamilyTheMonitoringKitReads) {
    std::set<std::string> read;
    for (const char* file : {"zorvel-rules.yml", "zorvel-dashboard.json"}) {
        std::ifstream in(std::string(TARNEL_SOURCE_DIR) + "/monitoring/" + file);
        std::stringstream text;
        text << in.rdbuf();
        const std::string kit = text.str();
        ASSERT_FALSE(kit.empty()) << file;
        const auto identifier = [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == ':';
        };
        for (auto at = kit.begin(); at != kit.end();) {
            const auto end = std::find_if_not(at, kit.end(), identifier);
            const std::string word(at, end);
            if (word.rfind("zorvel_", 0) == 0 && word.find(':') == std::string::npos) {
                read.insert(word);
            }
            at = end == kit.end() ? end : end + 1;
        }
    }
    EXPECT_GE(read.size(), 10u);
    for (const std::string& family : read) {
        EXPECT_EQ(1, std::count(kCountersFamilies.begin(), kCountersFamilies.end(), family)) << family;
    }
}

TEST(MetricsFile, AFailureShowsOneBoxUntilAWriteSucceedsAndLeavesThePreviousFile) {
    TempDir dir;
    const auto tables = TwoPorts();
    ProgramSettings settings;
    settings.Metrics.File = "unused: the publisher is given its path";
    RecordingAlerts alerts;
    const std::string folder = dir.Path("textfile");
    const std::string path = folder + "/zorvel.prom";
    MetricsPublisher publisher(settings, *tables, alerts, path);
    const auto read = [&] { return dir.Read("textfile/zorvel.prom"); };

    // A failure is told at the next counter read after the write gave up.
    const auto sampleAndSettle = [&](int64_t time) {
        publisher.Sampled(time, true);
        publisher.WaitIdle();
        publisher.Sampled(time + 2, false);
    };
    sampleAndSettle(100);
    sampleAndSettle(160);
    ASSERT_EQ(1u, alerts.Shown.size());
    EXPECT_EQ("Could not write the metrics file " + path +
                  ": No such file or directory. The monitor tries again at every minute end.",
              alerts.Shown[0]);

    std::filesystem::create_directory(folder);
    sampleAndSettle(220);
    const std::string written = read();
    EXPECT_NE(std::string::npos, written.find("zorvel_up 1\n"));
    EXPECT_NE(std::string::npos, written.find("zorvel_last_sample_timestamp_seconds 220\n"));

    // The temporary file cannot be created while a folder holds its name.
    std::filesystem::create_directory(path + ".tmp");
    sampleAndSettle(280);
    sampleAndSettle(340);
    EXPECT_EQ(2u, alerts.Shown.size());
    EXPECT_EQ(written, read());

    std::filesystem::remove(path + ".tmp");
    publisher.Stopped();
    EXPECT_NE(std::string::npos, read().find("zorvel_up 0\n"));
    EXPECT_NE(std::string::npos, read().find("zorvel_last_sample_timestamp_seconds 342\n"));
    EXPECT_EQ(2u, alerts.Shown.size());
}

TEST(MetricsFile, ALostDriverIsWrittenAtOnceAndTheLastTextStaysLast) {
    TempDir dir;
    auto tables = TwoPorts();
    ProgramSettings settings;
    settings.Metrics.File = "zorvel.prom";
    settings.UpdateTime = 0;
    RecordingAlerts alerts;
    double freeBytes = 3000000;
    MetricsPublisher publisher(settings, *tables, alerts, dir.Path("zorvel.prom"), nullptr, [&] { return freeBytes; });
    const auto gauges = [&] {
        publisher.WaitIdle();
        const std::string text = dir.Read("zorvel.prom");
        std::string lines;
        for (const char* name :
             {"zorvel_up ", "zorvel_driver_up ", "zorvel_sample_period_seconds ", "zorvel_free_disk_bytes "}) {
            const size_t at = text.find(std::string("\n") + name);
            lines += at == std::string::npos ? std::string("-") : text.substr(at + 1, text.find('\n', at + 1) - at - 1);
            lines += ';';
        }
        return lines;
    };
    // The period is what the timer runs at: UpdateTime 0 samples every second.
    publisher.Sampled(100, true);
    EXPECT_EQ("zorvel_up 1;zorvel_driver_up 1;zorvel_sample_period_seconds 1;zorvel_free_disk_bytes 3000000;", gauges());
    freeBytes = common::FreeBytesWhenUnknown();
    publisher.SetPeriod(5000);
    publisher.DriverLost();
    EXPECT_EQ("zorvel_up 1;zorvel_driver_up 0;zorvel_sample_period_seconds 5;-;", gauges());
    publisher.Sampled(110, false);
    EXPECT_EQ("zorvel_up 1;zorvel_driver_up 1;zorvel_sample_period_seconds 5;-;", gauges()) << "back at once";
    publisher.Stopped();
    // The session's end stopped it; the exit and a late tick must not say "up" again.
    publisher.Sampled(220, true);
    publisher.DriverLost();
    publisher.Stopped();
    EXPECT_EQ("zorvel_up 0;zorvel_driver_up 1;zorvel_sample_period_seconds 5;-;", gauges());
    EXPECT_TRUE(alerts.Shown.empty());
}

TEST(MetricsFile, NamesAreEncodedForTheirLabelsAndNamesThatEscapeAlikeKeepOneSample) {
    auto tables = CreatePortTables();
    // Code page 1252 bytes, and two names whose bytes are not UTF-8 at all.
    std::strcpy(tables->Names.Slots[0].Name, "S\xFC" "d");
    std::strcpy(tables->Names.Slots[1].Name, "A\x81");
    std::strcpy(tables->Names.Slots[2].Name, "A\x8D");
    tables->Records[0].TxTotal = 5;
    const LabelEncoder latin1 = [](const std::string& text) {
        std::string out;
        for (unsigned char c : text) {
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else {
                out += static_cast<char>(0xC0 | c >> 6);
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return out;
    };
    const MetricsMoment moment{true, true, 1, 2};
    const std::string encoded = FormatMetricsFile(*tables, "S\xFC" "d", moment, latin1);
    EXPECT_NE(std::string::npos, encoded.find("zorvel_tx_bytes_total{board=\"S\xC3\xBC" "d\",port=\"S\xC3\xBC" "d\"} 5\n"));
    EXPECT_NE(std::string::npos, encoded.find("zorvel_up{board=\"S\xC3\xBC" "d\"} 1\n"));
    // A zorvel.ini that Notepad saved as UTF-8 names the board in UTF-8 already.
    const std::string saved = FormatMetricsFile(*tables, "S\xC3\xBC" "d", moment, latin1);
    EXPECT_NE(std::string::npos, saved.find("zorvel_up{board=\"S\xC3\xBC" "d\"} 1\n"));

    // Unencoded, both bad names escape to "A" and U+FFFD: one sample, not a
    // repeated label set that would make the collector drop the whole file.
    const std::string raw = FormatMetricsFile(*tables, "", moment);
    size_t samples = 0;
    for (size_t at = raw.find("port=\"A\xEF\xBF\xBD\"}"); at != std::string::npos;
         at = raw.find("port=\"A\xEF\xBF\xBD\"}", at + 1)) {
        ++samples;
    }
    EXPECT_EQ(56u, samples) << "one sample a family";
}

TEST(MetricsFile, WithoutAFileNothingIsWritten) {
    TempDir dir;
    const auto tables = TwoPorts();
    ProgramSettings settings;
    RecordingAlerts alerts;
    MetricsPublisher publisher(settings, *tables, alerts, dir.Path("zorvel.prom"));
    publisher.Sampled(100, true);
    publisher.Stopped();
    EXPECT_TRUE(std::filesystem::is_empty(dir.Root()));
    EXPECT_TRUE(alerts.Shown.empty());
}

}  // namespace

TEST(MetricsFile, ARelativePathIsTakenFromTheStartDirectoryAndAUtf8OneGoesToTheCodePage) {
    // UTF-8 of two bytes to code page 1252 (Latin-1 there), as the system would.
    const LabelEncoder toLatin1 = [](const std::string& text) {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            out += c < 0x80 ? static_cast<char>(c) : static_cast<char>((c & 0x1F) << 6 | (text[++i] & 0x3F));
        }
        return out;
    };
    const struct {
        const char* File;
        const char* Path;
    } cases[] = {
        {"C:\\prom\\zorvel.prom", "C:\\prom\\zorvel.prom"},
        {"\\\\server\\share\\zorvel.prom", "\\\\server\\share\\zorvel.prom"},
        {"\\prom\\zorvel.prom", "\\prom\\zorvel.prom"},
        {"prom\\zorvel.prom", "D:\\hall\\prom\\zorvel.prom"},
        {"C:\\Users\\J\xC3\xBCrgen\\z.prom", "C:\\Users\\J\xFCrgen\\z.prom"},  // saved in UTF-8
        {"C:\\Users\\J\xFCrgen\\z.prom", "C:\\Users\\J\xFCrgen\\z.prom"},      // in the code page
        {"pr\xC3\xB6m.prom", "D:\\hall\\pr\xF6m.prom"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.Path, MetricsPath(c.File, "D:\\hall", toLatin1)) << c.File;
    }
}
