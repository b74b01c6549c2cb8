#include "tracer/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/unit/recording_alerts.h"
#include "tests/unit/temp_dir.h"

using namespace vizo;

namespace {

struct TracerSettingsTest : ::testing::Test {
    TempDir dir;
    RecordingAlerts alerts;
    TracerState state{dir.Path("vizo.log")};

    void Load(const std::string& text) { LoadTracerSettings(state, dir.Write("vizo.ini", text).c_str(), alerts); }
};

TEST_F(TracerSettingsTest, AMissingFileClearsThePlacementSilently) {
    state.Window = {5, 5, 5, 5};
    EXPECT_EQ(0, LoadTracerSettings(state, dir.Path("vizo.ini").c_str(), alerts));
    EXPECT_EQ(0, state.Window.Left + state.Window.Top + state.Window.Width + state.Window.Height);
    EXPECT_EQ(dir.Path("vizo.ini"), state.SettingsPath);
    EXPECT_TRUE(alerts.Shown.empty());
    EXPECT_EQ(0, LoadTracerSettings(state, nullptr, alerts));
    EXPECT_EQ(dir.Path("vizo.ini"), state.SettingsPath);
}

TEST_F(TracerSettingsTest, WindowValues) {
    Load("[program]\r\nwindow=10,20\r\n");
    EXPECT_EQ(10, state.Window.Left);
    EXPECT_EQ(20, state.Window.Top);
    EXPECT_EQ(0, state.Window.Width);
    EXPECT_EQ(0, state.Window.Height);
    Load("[program]\r\nWindow=-8,-8,1040,800\r\n");
    EXPECT_EQ(-8, state.Window.Left);
    EXPECT_EQ(-8, state.Window.Top);
    EXPECT_EQ(1040, state.Window.Width);
    EXPECT_EQ(800, state.Window.Height);
}

TEST_F(TracerSettingsTest, KeysInAnyCaseAndTheFaceCutTo31) {
    Load("[program]\r\nLOGTODISK=1\r\nfontheight=-13\r\nFontFace=" + std::string(40, 'F') + "\r\n");
    EXPECT_EQ(1, state.LogToDisk);
    EXPECT_EQ(-13, state.FontHeight);
    EXPECT_EQ(std::string(31, 'F'), state.FontFace);
}

TEST_F(TracerSettingsTest, UnknownKeysAreReportedOnlyInTheProgramSection) {
    Load("[program]\r\nColour=5\r\nLogToDisk=1\r\n[other]\r\nColour=5\r\n");
    EXPECT_EQ((std::vector<std::string>{"Bad program section key:Colour, val:5"}), alerts.Shown);
    EXPECT_EQ(1, state.LogToDisk);
}

TEST_F(TracerSettingsTest, SavesTheExactFileAndReadsItBack) {
    state.Window.Left = -4;
    state.Window.Top = 30;
    state.Window.Width = 640;
    state.Window.Height = 480;
    state.FontHeight = -12;
    state.FontFace = "Courier New  ";
    state.LogToDisk = 1;
    ASSERT_EQ(0, SaveTracerSettings(state, dir.Path("vizo.ini").c_str(), alerts));
    EXPECT_EQ(
        ";---- Velmora Program Configuration File.\r\n\r\n[program]\r\nwindow=-4,30,640,480\r\n"
        "FontHeight=-12\r\nFontFace=Courier New  \r\nLogToDisk=1\r\n\r\n",
        dir.Read("vizo.ini"));

    TracerState back(dir.Path("vizo.log"));
    LoadTracerSettings(back, dir.Path("vizo.ini").c_str(), alerts);
    EXPECT_EQ(state.Window.Left, back.Window.Left);
    EXPECT_EQ(state.Window.Top, back.Window.Top);
    EXPECT_EQ(state.Window.Width, back.Window.Width);
    EXPECT_EQ(state.Window.Height, back.Window.Height);
    EXPECT_EQ(state.FontHeight, back.FontHeight);
    EXPECT_EQ(state.FontFace, back.FontFace);
    EXPECT_EQ(state.LogToDisk, back.LogToDisk);
    EXPECT_TRUE(alerts.Shown.empty());
}

TEST_F(TracerSettingsTest, DefaultsAreWrittenTooAndAFailedSaveKeepsTheOldFile) {
    ASSERT_EQ(0, SaveTracerSettings(state, dir.Path("vizo.ini").c_str(), alerts));
    EXPECT_NE(std::string::npos,
              dir.Read("vizo.ini").find("window=0,0,0,0\r\nFontHeight=0\r\nFontFace=\r\nLogToDisk=0"));

    std::filesystem::create_directory(dir.Path("vizo.ini.tmp"));
    EXPECT_EQ(1, SaveTracerSettings(state, nullptr, alerts));
    EXPECT_EQ((std::vector<std::string>{"Could not open " + dir.Path("vizo.ini") + "!"}), alerts.Shown);
    EXPECT_NE(std::string::npos, dir.Read("vizo.ini").find("[program]"));
}

}  // namespace
