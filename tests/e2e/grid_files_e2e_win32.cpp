// The grid's view file and the settings file as the running monitor reads and writes them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/zorvel_ids.h"
#include "tests/e2e/harness_win32.h"

namespace {

using e2e::Occurrences;

// Starts the simulated monitor in `folder`, runs `during` against its window,
// then exits: no box may come meanwhile.
void RunMonitor(const std::string& folder, const e2e::During& during) {
    EXPECT_EQ(std::vector<std::string>{}, e2e::RunProgram(e2e::kMonitor, "-F", folder, during));
}

// Black pixels (frame lines, texts) in the client area from x = `left` to its
// right edge, on every third row of the top 120.
int BlackPixelsRightOf(HWND window, int left) {
    const e2e::ClientPixels image = e2e::ReadClientPixels(window);
    int count = 0;
    for (int y = 2; y < image.Height && y < 120; y += 3) {
        for (int x = left; x < image.Width; ++x) {
            count += image.At(x, y) == RGB(0, 0, 0);
        }
    }
    return count;
}

bool HasHorizontalBar(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_HSCROLL) != 0; }

TEST(GridFiles, AFreshFolderGetsTheDefaultViewAtExit) {
    const std::string folder = e2e::FreshFolder();
    RunMonitor(folder, [&](e2e::Program&, HWND window) {
        // The grid drawn with the first tick's figures, for a person to look at.
        e2e::WaitRepaints(window, 1);
        EXPECT_TRUE(e2e::SaveScreenshot(folder + "\\grid.bmp"));
    });
    const std::string view = e2e::ReadFileBytes(folder + "\\zorvel.vew");
    EXPECT_EQ(0u, view.find(";---- TarnelPort Monitor Program View Configuration File.\r\n\r\n[program]\r\nwindow="));
    EXPECT_EQ(56, Occurrences(view, "[Cell"));
    EXPECT_NE(std::string::npos, view.find("[CellCD ]\r\nInput=4\r\nWidth=6\r\nType=1\r\n"));
    EXPECT_NE(std::string::npos, view.find("[CellParityErrorsRaw]\r\nInput=56\r\nWidth=30\r\n\r\n"));
    EXPECT_EQ("[program]\r\nUpdateTime=2\r\n", e2e::ReadFileBytes(folder + "\\zorvel.ini"));
}

TEST(GridFiles, APreparedViewIsRestoredAndWrittenBackUnchanged) {
    const std::string folder = e2e::FreshFolder();
    const std::string prepared =
        ";---- TarnelPort Monitor Program View Configuration File.\r\n\r\n"
        "[program]\r\nwindow=40,30,500,300\r\nFontHeight=-13\r\nFontFace=Tahoma\r\n\r\n"
        "[CellTxTotal]\r\nInput=7\r\nWidth=16\r\nType=2\r\n\r\n"
        "[CellCD ]\r\nInput=4\r\nWidth=6\r\nType=1\r\nColor0=192,192,192\r\nColor1=128,192,128\r\n\r\n"
        "[CellMine]\r\nInput=11\r\nCalc=3\r\nWidth=9\r\nColor1=255,0,0\r\n\r\n";
    e2e::WriteFileBytes(folder + "\\zorvel.vew", prepared);
    RunMonitor(folder, [](e2e::Program&, HWND window) {
        RECT outer;
        GetWindowRect(window, &outer);
        EXPECT_EQ(40, outer.left);
        EXPECT_EQ(30, outer.top);
        EXPECT_EQ(500, outer.right - outer.left);
        EXPECT_EQ(300, outer.bottom - outer.top);
    });
    EXPECT_EQ(prepared, e2e::ReadFileBytes(folder + "\\zorvel.vew"));
}

TEST(GridFiles, AWindowClosedMinimisedComesBackOnTheScreenAtItsRestoredSize) {
    const std::string folder = e2e::FreshFolder();
    // What a window closed while minimised used to leave behind.
    e2e::WriteFileBytes(folder + "\\zorvel.vew", "[program]\r\nwindow=-32000,-32000,160,24\r\n");
    RunMonitor(folder, [](e2e::Program&, HWND window) {
        EXPECT_TRUE(e2e::OnWorkArea(window)) << e2e::OuterRectangle(window);
        ASSERT_TRUE(e2e::MoveTo(window, 40, 30, 500, 300)) << e2e::OuterRectangle(window);
        ASSERT_TRUE(e2e::Minimise(window));
    });
    const std::string view = e2e::ReadFileBytes(folder + "\\zorvel.vew");
    EXPECT_NE(std::string::npos, view.find("\r\n[program]\r\nwindow=40,30,500,300\r\nFontHeight=")) << view;

    RunMonitor(folder, [](e2e::Program&, HWND window) { EXPECT_EQ("40,30,500,300", e2e::OuterRectangle(window)); });
}

TEST(GridFiles, DefaultCompleteViewAsksFirst) {
    const std::string folder = e2e::FreshFolder();
    e2e::WriteFileBytes(folder + "\\zorvel.vew", "[CellTxTotal]\r\nInput=7\r\n");
    RunMonitor(folder, [](e2e::Program& monitor, HWND window) {
        e2e::PostCommand(window, IDM_VIEW_DEFAULT);
        HWND question = monitor.WaitDialog("TarnelPort Monitor");
        ASSERT_NE(nullptr, question);
        EXPECT_EQ("Default complete view?", e2e::ControlText(question, e2e::kMessageBoxTextId));
        e2e::PressButton(question, IDNO);
        e2e::WaitClosed(question);
    });
    EXPECT_EQ(1, Occurrences(e2e::ReadFileBytes(folder + "\\zorvel.vew"), "[Cell"));

    RunMonitor(folder, [](e2e::Program& monitor, HWND window) {
        e2e::PostCommand(window, IDM_VIEW_DEFAULT);
        HWND question = monitor.WaitDialog("TarnelPort Monitor");
        ASSERT_NE(nullptr, question);
        e2e::PressButton(question, IDYES);
        e2e::WaitClosed(question);
    });
    const std::string view = e2e::ReadFileBytes(folder + "\\zorvel.vew");
    EXPECT_EQ(56, Occurrences(view, "[Cell"));
    EXPECT_EQ(0u, view.find(";---- TarnelPort Monitor Program View Configuration File.\r\n"));
}

TEST(GridFiles, TheDefaultViewCanBeScrolledToItsLastColumnAtOnce) {
    const std::string folder = e2e::FreshFolder();
    e2e::WriteFileBytes(folder + "\\zorvel.vew",
                        "[program]\r\nwindow=40,30,600,400\r\n"
                        "[CellTxTotal]\r\nInput=7\r\nWidth=16\r\n[CellCD ]\r\nInput=4\r\nWidth=6\r\nType=1\r\n");
    RunMonitor(folder, [](e2e::Program& monitor, HWND window) {
        ASSERT_TRUE(e2e::WaitFor([&] { return !HasHorizontalBar(window); })) << "two columns should fit";
        e2e::PostCommand(window, IDM_VIEW_DEFAULT);
        HWND question = monitor.WaitDialog("TarnelPort Monitor");
        ASSERT_NE(nullptr, question);
        e2e::PressButton(question, IDYES);
        // No size message comes: the bar must follow the new columns by itself.
        EXPECT_TRUE(e2e::WaitFor([&] { return HasHorizontalBar(window); })) << "no horizontal scroll bar";
        EXPECT_TRUE(e2e::WaitFor([&] { return BlackPixelsRightOf(window, 250) > 50; })) << "columns across";

        // The thumb at 97 of 100 puts column 55 first, which the device column covers:
        // the last column, and nothing right of it.
        PostMessageA(window, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 97), 0);
        EXPECT_TRUE(e2e::WaitFor([&] { return BlackPixelsRightOf(window, 250) == 0 && BlackPixelsRightOf(window, 60) > 0; }))
            << BlackPixelsRightOf(window, 60) << " black pixels right of the device column, "
            << BlackPixelsRightOf(window, 250) << " right of the last column";
    });
}

TEST(GridFiles, SaveWritesTheSettingsAsRead) {
    const std::string folder = e2e::FreshFolder();
    const std::string settings = "[program]\r\nUpdateTime=5\r\nHourSingle=2\r\nDaySpawn=collect.exe all\r\n";
    e2e::WriteFileBytes(folder + "\\zorvel.ini",
                        "; written by hand\n[program]\nupdatetime=5\nHourSingle=2\n"
                        "[other]\nHourMulti=3\n[PROGRAM]\nDaySpawn=collect.exe all\n");
    RunMonitor(folder, [&](e2e::Program&, HWND window) {
        e2e::PostCommand(window, IDM_SAVE);
        e2e::WaitFor([&] { return e2e::ReadFileBytes(folder + "\\zorvel.ini") == settings; }, 5000, 100);
        EXPECT_EQ(settings, e2e::ReadFileBytes(folder + "\\zorvel.ini"));
    });
    EXPECT_EQ(settings, e2e::ReadFileBytes(folder + "\\zorvel.ini"));
}

TEST(GridFiles, SaveAsAddsTheViewExtensionToANameTypedWithoutOne) {
    const std::string folder = e2e::FreshFolder();
    RunMonitor(folder, [&](e2e::Program& monitor, HWND window) {
        e2e::PostCommand(window, IDM_SAVE_AS);
        HWND chooser = monitor.WaitDialog("Save a File");
        ASSERT_NE(nullptr, chooser);
        constexpr int kFileNameEdit = 0x47C;  // cmb13, the chooser's file name box
        // The chooser fills in the proposed name after it shows; type over it only then.
        EXPECT_TRUE(e2e::WaitFor([&] { return !e2e::ControlText(chooser, kFileNameEdit).empty(); }));
        e2e::SetControlText(chooser, kFileNameEdit, "mine");
        EXPECT_EQ("mine", e2e::ControlText(chooser, kFileNameEdit));
        e2e::PressButton(chooser, IDOK);
        EXPECT_TRUE(e2e::WaitFor([&] { return e2e::FileExists(folder + "\\mine.vew"); })) << "no mine.vew";
    });
    EXPECT_FALSE(e2e::FileExists(folder + "\\mine"));
    EXPECT_EQ(56, e2e::Occurrences(e2e::ReadFileBytes(folder + "\\mine.vew"), "[Cell"));
}

}  // namespace
