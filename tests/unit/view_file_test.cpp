#include "monitor/files/view_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "monitor/grid/columns.h"
#include "monitor/stats/catalogue.h"
#include "tests/unit/recording_alerts.h"
#include "tests/unit/temp_dir.h"

using namespace zorvel;

namespace {

struct ViewFileTest : ::testing::Test {
    TempDir dir;
    RecordingAlerts alerts;
    std::unique_ptr<ViewState> view = CreateView();
    const int statistics = CountStatistics();

    void Read(const std::string& content) {
        ReadViewFile(*view, dir.Write("v.vew", content).c_str(), statistics, alerts);
    }
};

TEST_F(ViewFileTest, TwoDefaultColumnsAreWrittenExactly) {
    view->Window.Left = 10;
    view->Window.Top = 20;
    view->Window.Width = 640;
    view->Window.Height = 480;
    view->Font.Height = -12;
    std::strcpy(view->Font.Face, "Courier");
    InitColumn(*view, 0, 6);
    InitColumn(*view, 1, 3);
    view->ColumnCount = 2;
    ASSERT_EQ(0, WriteViewFile(*view, dir.Path("out.vew").c_str(), alerts));
    EXPECT_EQ(dir.Path("out.vew"), view->ViewPath);
    EXPECT_EQ(
        ";---- TarnelPort Monitor Program View Configuration File.\r\n\r\n"
        "[program]\r\nwindow=10,20,640,480\r\nFontHeight=-12\r\nFontFace=Courier\r\n\r\n"
        "[CellTxTotal]\r\nInput=7\r\nWidth=16\r\nType=2\r\n\r\n"
        "[CellCD ]\r\nInput=4\r\nWidth=6\r\nType=1\r\nColor0=192,192,192\r\nColor1=128,192,128\r\n\r\n",
        dir.Read("out.vew"));
}

TEST_F(ViewFileTest, WriteThenReadGivesTheSameLayout) {
    DefaultView(*view, statistics);
    view->Columns[3].Calc = 7;
    view->Columns[4].Width = 0;
    std::strcpy(view->Columns[5].Name, "Trailing  ");
    view->Window.Width = 300;
    view->Window.Height = 200;
    ASSERT_EQ(0, WriteViewFile(*view, dir.Path("round.vew").c_str(), alerts));
    const std::string first = dir.Read("round.vew");

    auto back = CreateView();
    ReadViewFile(*back, dir.Path("round.vew").c_str(), statistics, alerts);
    ASSERT_EQ(view->ColumnCount, back->ColumnCount);
    for (int i = 0; i < view->ColumnCount; ++i) {
        EXPECT_EQ(0, std::memcmp(&view->Columns[i], &back->Columns[i], sizeof(ColumnDef))) << "column " << i;
    }
    EXPECT_EQ(300, back->Window.Width);
    ASSERT_EQ(0, WriteViewFile(*back, nullptr, alerts));
    EXPECT_EQ(first, dir.Read("round.vew"));
    EXPECT_TRUE(alerts.Shown.empty());
}

TEST_F(ViewFileTest, OnlyTheProgramSectionGivesTheDefaultsAndRestoresWindowAndFont) {
    Read("[program]\r\nwindow=1,2,3,4\r\nFontHeight=20\r\nFontFace=" + std::string(40, 'F') + "\r\n");
    EXPECT_EQ(56, view->ColumnCount);
    EXPECT_STREQ("Open", view->Columns[0].Name);
    EXPECT_EQ(4, view->Window.Height);
    EXPECT_EQ(20, view->Font.Height);
    EXPECT_EQ(std::string(31, 'F'), view->Font.Face);
}

TEST_F(ViewFileTest, CellPrefixIsCaseExactAndBadKeysAreReported) {
    Read(
        "Input=5\r\n"
        "[cellTxTotal]\r\nInput=7\r\nNonsense=1\r\n"
        "[CellMine]\r\nInput=8\r\nWidth = 20\r\nColor1=300,0,0\r\nColor0=255,x,9\r\nType=65539\r\n"
        "[program]\r\nSize=3\r\n");
    ASSERT_EQ(1, view->ColumnCount);
    const ColumnDef& mine = view->Columns[0];
    EXPECT_STREQ("Mine", mine.Name);
    EXPECT_EQ(8, mine.Input);
    EXPECT_EQ(0, mine.Width);
    EXPECT_EQ(44u, mine.Color1);
    EXPECT_EQ(255u, mine.Color0);  // numbers after the one that failed read as 0
    EXPECT_EQ(3, mine.Type);       // low 16 bits
    EXPECT_EQ((std::vector<std::string>{"Bad Cell section key:Width , val: 20", "Bad program section key:Size, val:3"}),
              alerts.Shown);
}

TEST_F(ViewFileTest, SeventyFiveSectionsKeepSeventyColumnsTheLastOverwritingTheSeventieth) {
    std::string content;
    for (int i = 1; i <= 75; ++i) {
        content += "[Cellc" + std::to_string(i) + "]\r\nInput=" + std::to_string(i) + "\r\n";
        if (i == 71) {
            content += "Width=33\r\n";
        }
    }
    Read(content);
    ASSERT_EQ(70, view->ColumnCount);
    EXPECT_STREQ("c69", view->Columns[68].Name);
    EXPECT_STREQ("c75", view->Columns[69].Name);
    EXPECT_EQ(75, view->Columns[69].Input);
    EXPECT_EQ(33, view->Columns[69].Width);  // not cleared between the overwriting sections
}

TEST_F(ViewFileTest, LongColumnNamesAreCutTo31Characters) {
    Read("[Cell" + std::string(40, 'n') + "]\r\nInput=1\r\n");
    EXPECT_EQ(std::string(31, 'n'), view->Columns[0].Name);
}

TEST_F(ViewFileTest, MissingFileForgetsTheWindowAndBuildsTheDefaults) {
    view->Window.Width = 100;
    view->Font.Height = 12;
    ReadViewFile(*view, dir.Path("none.vew").c_str(), statistics, alerts);
    EXPECT_EQ(0, view->Window.Width);
    EXPECT_EQ(12, view->Font.Height);
    EXPECT_EQ(56, view->ColumnCount);
    EXPECT_EQ(dir.Path("none.vew"), view->ViewPath);
}

TEST_F(ViewFileTest, UnwritableFileIsReported) {
    const std::string path = dir.Path("dir.vew");
    std::filesystem::create_directory(path + ".tmp");
    EXPECT_EQ(1, WriteViewFile(*view, path.c_str(), alerts));
    EXPECT_EQ((std::vector<std::string>{"Could not open " + path + "!"}), alerts.Shown);
}

}  // namespace
