#include "monitor/files/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/unit/recording_alerts.h"
#include "tests/unit/temp_dir.h"

using namespace zorvel;

namespace {

struct SettingsFileTest : ::testing::Test {
    TempDir dir;
    RecordingAlerts alerts;
    ProgramSettings settings;
};

TEST_F(SettingsFileTest, MissingFileKeepsDefaultsSilently) {
    settings.UpdateTime = 7;
    EXPECT_EQ(1, ReadSettingsFile(dir.Path("zorvel.ini").c_str(), settings, alerts));
    EXPECT_EQ(2, settings.UpdateTime);
    EXPECT_TRUE(alerts.Shown.empty());
}

TEST_F(SettingsFileTest, SectionOnlyLeavesEveryDefault) {
    const std::string path = dir.Write("zorvel.ini", "[program]\r\n");
    EXPECT_EQ(0, ReadSettingsFile(path.c_str(), settings, alerts));
    EXPECT_EQ(2, settings.UpdateTime);
    EXPECT_EQ(0, settings.HourSingle + settings.HourMulti + settings.DaySingle + settings.DayMulti);
}

TEST_F(SettingsFileTest, ReadsEveryKeyInAnyCaseAndOnlyInTheProgramSection) {
    const std::string path = dir.Write("zorvel.ini",
                                       "UpdateTime=99\r\n"
                                       "[other]\r\nUpdateTime=98\r\nNoSuchKey=1\r\n"
                                       "[PROGRAM]\r\nupdatetime=10\r\nHourSingle=1\r\nHOURMULTI=2\r\n"
                                       "HourSpawn=report.bat hour\r\nDaySingle=3\r\nDayMulti=x\r\nDaySpawn=day.bat\n");
    EXPECT_EQ(0, ReadSettingsFile(path.c_str(), settings, alerts));
    EXPECT_EQ(10, settings.UpdateTime);
    EXPECT_EQ(1, settings.HourSingle);
    EXPECT_EQ(2, settings.HourMulti);
    EXPECT_EQ("report.bat hour", settings.HourSpawn);
    EXPECT_EQ(3, settings.DaySingle);
    EXPECT_EQ(0, settings.DayMulti);
    EXPECT_EQ("day.bat", settings.DaySpawn);
    EXPECT_TRUE(alerts.Shown.empty());
}

TEST_F(SettingsFileTest, LongSpawnKeepsItsFirstHundredCharactersAndUnknownKeysAreReported) {
    const std::string spawn(150, 'c');
    const std::string path = dir.Write("zorvel.ini", "[program]\r\nHourSpawn=" + spawn + "\r\nUpdate Time=4\r\n");
    ReadSettingsFile(path.c_str(), settings, alerts);
    // The reader's 200-byte buffer delivers the line whole: 10 + 150 characters.
    EXPECT_EQ(spawn.substr(0, 100), settings.HourSpawn);
    EXPECT_EQ((std::vector<std::string>{"Bad program section key:Update Time, val:4"}), alerts.Shown);
}

TEST_F(SettingsFileTest, DefaultsWriteTheTwoLineFile) {
    ASSERT_EQ(0, WriteSettingsFile(dir.Path("zorvel.ini").c_str(), settings, alerts));
    EXPECT_EQ("[program]\r\nUpdateTime=2\r\n", dir.Read("zorvel.ini"));
}

TEST_F(SettingsFileTest, WritesEverySetFieldInOrderAndReadsItBack) {
    settings.UpdateTime = 5;
    settings.HourSingle = 1;
    settings.HourMulti = 3;
    settings.HourSpawn = "notify.exe hour";
    settings.DaySingle = 2;
    settings.DayMulti = 0;
    settings.DaySpawn = "notify.exe day";
    ASSERT_EQ(0, WriteSettingsFile(dir.Path("zorvel.ini").c_str(), settings, alerts));
    EXPECT_EQ(
        "[program]\r\nUpdateTime=5\r\nHourSingle=1\r\nHourMulti=3\r\nHourSpawn=notify.exe hour\r\n"
        "DaySingle=2\r\nDaySpawn=notify.exe day\r\n",
        dir.Read("zorvel.ini"));
    ProgramSettings back;
    ReadSettingsFile(dir.Path("zorvel.ini").c_str(), back, alerts);
    EXPECT_EQ(settings.HourSpawn, back.HourSpawn);
    EXPECT_EQ(settings.HourMulti, back.HourMulti);
}

TEST_F(SettingsFileTest, AFileThatCannotBeCreatedIsReportedAndTheOldOneStays) {
    const std::string path = dir.Write("zorvel.ini", "[program]\r\nUpdateTime=9\r\n");
    std::filesystem::create_directory(path + ".tmp");
    EXPECT_EQ(1, WriteSettingsFile(path.c_str(), settings, alerts));
    EXPECT_EQ((std::vector<std::string>{"Could not open " + path + "!"}), alerts.Shown);
    EXPECT_EQ("[program]\r\nUpdateTime=9\r\n", dir.Read("zorvel.ini"));
}

TEST_F(SettingsFileTest, AReadOnlyFileIsReportedAndKept) {
    const std::string path = dir.Write("zorvel.ini", "[program]\r\nUpdateTime=9\r\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_EQ(1, WriteSettingsFile(path.c_str(), settings, alerts));
    EXPECT_EQ((std::vector<std::string>{"Could not open " + path + "!"}), alerts.Shown);
    EXPECT_EQ("[program]\r\nUpdateTime=9\r\n", dir.Read("zorvel.ini"));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

}  // namespace

namespace {

TEST(SettingsFileFullDisk, AWriteErrorIsReportedAndTheOldFileStays) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full to make the disk full";
    }
    TempDir dir;
    RecordingAlerts alerts;
    const std::string path = dir.Write("zorvel.ini", "old");
    std::filesystem::create_symlink("/dev/full", path + ".tmp");
    EXPECT_EQ(1, WriteSettingsFile(path.c_str(), ProgramSettings(), alerts));
    EXPECT_EQ((std::vector<std::string>{"An error occurred while writing the " + path + " file."}), alerts.Shown);
    EXPECT_EQ("old", dir.Read("zorvel.ini"));
}

}  // namespace

// Each file is read, then written back: the metrics section survives a save,
// and a file without it is written exactly as before.
TEST(MetricsSection, ReadAndWrittenBack) {
    const std::string path300 = "C:\\" + std::string(300, 'p') + "\\zorvel.prom";
    const struct {
        const char* Name;
        std::string File;
        bool Present;
        std::string MetricsFile;
        std::string Board;
        std::string Written;
    } cases[] = {
        {"no section", "[program]\r\nUpdateTime=5\r\n", false, "", "", "[program]\r\nUpdateTime=5\r\n"},
        {"keys in any case, others ignored",
         "[program]\r\nUpdateTime=5\r\n[METRICS]\r\nfile=C:\\out\\zorvel.prom\r\nBOARD=hall-a\r\nColour=red\r\n",
         true, "C:\\out\\zorvel.prom", "hall-a",
         "[program]\r\nUpdateTime=5\r\n[metrics]\r\nFile=C:\\out\\zorvel.prom\r\nBoard=hall-a\r\n"},
        {"a path longer than any other setting, a board cut to 63",
         "[metrics]\r\nFile=" + path300 + "\r\nBoard=" + std::string(70, 'b') + "\r\n[program]\r\nUpdateTime=5\r\n",
         true, path300, std::string(63, 'b'),
         "[program]\r\nUpdateTime=5\r\n[metrics]\r\nFile=" + path300 + "\r\nBoard=" + std::string(63, 'b') + "\r\n"},
        {"an empty section is kept", "[program]\r\nUpdateTime=5\r\n[metrics]\r\n", true, "", "",
         "[program]\r\nUpdateTime=5\r\n[metrics]\r\n"},
        // Letters of the system's code page stay in this section's values; a
        // control character goes as on every line.
        {"the graph's section, written back as it was read",
         "[program]\r\nUpdateTime=5\r\n[graph]\r\nwindow=10,20,640,300\r\nrange=4\r\nColour=red\r\n", false, "", "",
         "[program]\r\nUpdateTime=5\r\n[graph]\r\nwindow=10,20,640,300\r\nRange=4\r\n"},
        {"Families in any case", "[program]\r\nUpdateTime=5\r\n[metrics]\r\nFamilies=COUNTERS\r\n", true, "", "",
         "[program]\r\nUpdateTime=5\r\n[metrics]\r\nFamilies=counters\r\n"},
        {"a Families this version does not know keeps the whole file",
         "[program]\r\nUpdateTime=5\r\n[metrics]\r\nFamilies=rates\r\n", true, "", "",
         "[program]\r\nUpdateTime=5\r\n[metrics]\r\nFamilies=all\r\n"},
        {"a board in the code page", "[program]\r\nUpdateTime=5\r\n[metrics]\r\nBoard=S\xFC" "d\t\r\n", true, "",
         "S\xFC" "d", "[program]\r\nUpdateTime=5\r\n[metrics]\r\nBoard=S\xFC" "d\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TempDir dir;
        RecordingAlerts alerts;
        ProgramSettings settings;
        ASSERT_EQ(0, ReadSettingsFile(dir.Write("zorvel.ini", c.File).c_str(), settings, alerts));
        EXPECT_EQ(c.Present, settings.Metrics.Present);
        EXPECT_EQ(c.MetricsFile, settings.Metrics.File);
        EXPECT_EQ(c.Board, settings.Metrics.Board);
        EXPECT_EQ(5, settings.UpdateTime);
        EXPECT_TRUE(alerts.Shown.empty()) << alerts.Shown.front();
        ASSERT_EQ(0, WriteSettingsFile(dir.Path("zorvel.ini").c_str(), settings, alerts));
        EXPECT_EQ(c.Written, dir.Read("zorvel.ini"));
    }
}
