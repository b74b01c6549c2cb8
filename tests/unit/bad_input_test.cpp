// Files no program wrote: binary garbage, overlong lines, NULs, old Mac line
// ends and calcs.dat of the wrong size.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "monitor/files/settings_file.h"
#include "monitor/files/view_file.h"
#include "monitor/grid/columns.h"
#include "monitor/stats/catalogue.h"
#include "monitor/stats/statistics_file.h"
#include "tests/unit/recording_alerts.h"
#include "tests/unit/temp_dir.h"
#include "tracer/settings_file.h"

namespace {

// Control bytes and bytes from 0x80 up, in lines: all of it cleans away.
std::string Garbage(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i % 64 == 63 ? '\n' : i % 3 == 0 ? 0x80 + i % 128 : 1 + i % 31);
    }
    return bytes;
}

// Reads one file with one of the three readers; gives the number one key set.
struct Reader {
    const char* Name;
    const char* Key;
    int Default;
    std::function<int(const std::string& path, RecordingAlerts& alerts)> Read;
};

const Reader kReaders[] = {
    {"zorvel.vew", "FontHeight", 0,
     [](const std::string& path, RecordingAlerts& alerts) {
         auto view = zorvel::CreateView();
         const int statistics = zorvel::CountStatistics();
         zorvel::ReadViewFile(*view, path.c_str(), statistics, alerts);
         auto defaults = zorvel::CreateView();
         zorvel::DefaultView(*defaults, statistics);
         EXPECT_EQ(defaults->ColumnCount, view->ColumnCount) << "no column read gives the default view";
         return static_cast<int>(view->Font.Height);
     }},
    {"zorvel.ini", "UpdateTime", 2,
     [](const std::string& path, RecordingAlerts& alerts) {
         zorvel::ProgramSettings settings;
         EXPECT_EQ(0, zorvel::ReadSettingsFile(path.c_str(), settings, alerts));
         return settings.UpdateTime;
     }},
    {"vizo.ini", "FontHeight", 0,
     [](const std::string& path, RecordingAlerts& alerts) {
         vizo::TracerState state(path + ".log");
         vizo::LoadTracerSettings(state, path.c_str(), alerts);
         return state.FontHeight;
     }},
};

TEST(BadSettingsInput, EveryReaderKeepsItsDefaultsOrTakesTheLinesItCanRead) {
    struct Case {
        const char* What;
        std::function<std::string(const std::string& key)> Content;
        bool KeyRead;  // else the reader's default stays
    };
    const Case cases[] = {
        {"binary garbage before the key",
         [](const std::string& k) { return "[program]\r\n" + Garbage(4096) + "\n" + k + "=7\r\n"; }, true},
        {"binary garbage alone", [](const std::string&) { return Garbage(4096); }, false},
        {"one 1 MB line before the key",
         [](const std::string& k) {
             return "[program]\r\n" + k + "=" + std::string(1 << 20, '9') + "\r\n" + k + "=7\r\n";
         },
         true},
        {"a NUL ends the line's text",
         [](const std::string& k) { return "[program]\r\n" + k + "=7" + std::string(1, '\0') + "99\r\n"; }, true},
        {"a NUL where the section should be",
         [](const std::string& k) { return std::string(1, '\0') + "[program]\r\n" + k + "=7\r\n"; }, false},
        {"CR-only line ends make one line", [](const std::string& k) { return "[program]\r" + k + "=7\r"; }, false},
    };
    for (const Reader& reader : kReaders) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(reader.Name) + ": " + c.What);
            TempDir dir;
            RecordingAlerts alerts;
            const int value = reader.Read(dir.Write(reader.Name, c.Content(reader.Key)), alerts);
            EXPECT_EQ(c.KeyRead ? 7 : reader.Default, value);
            EXPECT_TRUE(alerts.Shown.empty()) << alerts.Shown.front();
        }
    }
}

// The records with a marked area behind them that a load must not reach.
struct GuardedRecords {
    zorvel::StatsRecord Records[zorvel::kPortSlots] = {};
    char After[64];
    GuardedRecords() { std::memset(After, 0x5A, sizeof After); }
};

TEST(BadStatisticsFile, WrongSizesFillWhatTheyHoldAndTheNextSaveIsWhole) {
    for (const size_t size : {size_t{0}, size_t{29119}, size_t{29121}, size_t{10} << 20}) {
        SCOPED_TRACE(size);
        TempDir dir;
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<char>(i * 13 + 5);
        }
        const std::string path = dir.Write("calcs.dat", bytes);
        auto guarded = std::make_unique<GuardedRecords>();
        zorvel::LoadStatistics(path.c_str(), guarded->Records);

        const size_t held = std::min(size, zorvel::kStatisticsFileSize);
        std::string expected = bytes.substr(0, held) + std::string(zorvel::kStatisticsFileSize - held, '\0');
        EXPECT_EQ(0, std::memcmp(expected.data(), guarded->Records, zorvel::kStatisticsFileSize));
        EXPECT_EQ(std::string(sizeof guarded->After, '\x5A'), std::string(guarded->After, sizeof guarded->After));

        ASSERT_EQ(common::WriteResult::Ok, zorvel::SaveStatistics(path.c_str(), guarded->Records));
        EXPECT_EQ(expected, dir.Read("calcs.dat"));
    }
}

}  // namespace
