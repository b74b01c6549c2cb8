// The trace viewer's start, menu, boxes, disk log and settings under Wine. The
// runs that need the driver talk to the stand-in driver and are skipped while
// its service is not running.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/vizo_ids.h"
#include "tests/e2e/harness_win32.h"

namespace {

using e2e::kTracer;
constexpr const char* kBoxCaption = "Port Vizo";

// Pixels of the client area darker than mid-grey: the viewer draws black text on white.
int DarkPixels(HWND window) {
    const std::vector<COLORREF> pixels = e2e::ReadClientPixels(window).Pixels;
    return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), [](COLORREF c) {
        return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128;
    }));
}

TEST(TracerResources, MenuAndVersionBlock) {
    EXPECT_EQ(
        "[&File]\n"
        "  -\n"
        "  &Log to Disk=100\n"
        "  &View Disk Log=103\n"
        "  -\n"
        "  Clear &Disk Log=101\n"
        "  &Clear Screen=102\n"
        "  -\n"
        "  E&xit=107\n"
        "[&Help]\n"
        "  &Help=112\n"
        "  &About=113\n",
        e2e::MenuOutline(kTracer.Exe, "VIZO"));
    EXPECT_EQ("1.12", e2e::VersionValue(kTracer.Exe, "FileVersion"));
    EXPECT_EQ("1.12", e2e::VersionValue(kTracer.Exe, "ProductVersion"));
    EXPECT_EQ("Vizo Trace Program", e2e::VersionValue(kTracer.Exe, "FileDescription"));
    EXPECT_EQ("Vizo", e2e::VersionValue(kTracer.Exe, "InternalName"));
    EXPECT_EQ("Vizo.exe", e2e::VersionValue(kTracer.Exe, "OriginalFilename"));
}

TEST(TracerStart, TheOptionsBoxEndsTheProgramBeforeAnyWindow) {
    const std::string folder = e2e::FreshFolder();
    e2e::Program tracer(kTracer, "/?", folder);
    HWND box = tracer.WaitDialog("");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("options>SETUP /options\n   H - display driver help info\n   ? - this help\n",
              e2e::ControlText(box, e2e::kMessageBoxTextId));
    e2e::PressButton(box, IDOK);
    DWORD code = 1;
    ASSERT_TRUE(tracer.WaitExit(&code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(e2e::FileExists(folder + "\\vizo.ini"));
}

TEST(TracerStart, WithoutADriverFromAFolderNamedTarnel) {
    e2e::StandInRestore restore;
    ASSERT_EQ("", standin::Remove());
    const std::string folder = e2e::FreshFolder() + "\\tarnel";
    CreateDirectoryA(folder.c_str(), nullptr);
    e2e::Program tracer(kTracer, "", folder);
    HWND box = tracer.WaitBox(kBoxCaption, "Could not open file: \\\\.\\tarnel, error:2");
    ASSERT_NE(nullptr, box);
    e2e::PressButton(box, IDOK);
    box = tracer.WaitBox(kBoxCaption, "Could Not connect to driver!");
    ASSERT_NE(nullptr, box);
    e2e::PressButton(box, IDOK);
    DWORD code = 1;
    ASSERT_TRUE(tracer.WaitExit(&code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(e2e::FileExists(folder + "\\vizo.ini"));
    EXPECT_FALSE(e2e::FileExists(folder + "\\vizo.log"));
}

// Runs against the suite's stand-in driver, started afresh and reached as
// \\.\tarnel from a folder named tarnel.
struct TracerRun : ::testing::Test {
    std::string folder;

    void SetUp() override {
        ASSERT_EQ("", e2e::RestartStandIn());
        folder = e2e::FreshFolder() + "\\tarnel";
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    std::string File(const char* name) const { return folder + "\\" + name; }
    void WriteFile(const char* name, const std::string& bytes) const { e2e::WriteFileBytes(File(name), bytes); }
    static void Exit(e2e::Program& tracer, HWND window) {
        e2e::PostCommand(window, IDM_EXIT);
        DWORD code = 1;
        ASSERT_TRUE(tracer.WaitExit(&code));
        EXPECT_EQ(0u, code);
    }
    // Starts the viewer, runs `during` against its window, then ends it through E&xit.
    void Run(const std::function<void(HWND)>& during) const {
        e2e::Program tracer(kTracer, "", folder);
        HWND window = tracer.WaitMainWindow();
        ASSERT_NE(nullptr, window);
        during(window);
        Exit(tracer, window);
    }
};

TEST_F(TracerRun, OpensAtHalfTheScreenAndShowsTheReplyToATypedCommand) {
    e2e::Program tracer(kTracer, "", folder);
    HWND window = tracer.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2, outer.right - outer.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) / 2, outer.bottom - outer.top);

    e2e::Type(window, "help\r");
    EXPECT_TRUE(e2e::WaitFor([&] { return DarkPixels(window) > 200; })) << "no text drawn: " << DarkPixels(window);
    EXPECT_TRUE(tracer.Dialogs(kBoxCaption).empty());
    Exit(tracer, window);
}

TEST_F(TracerRun, TheLogHoldsTheBannerAndTheDriversBytesAsTheyCame) {
    WriteFile("vizo.ini", "[program]\r\nLogToDisk=1\r\n");
    e2e::Program tracer(kTracer, "-T", folder);
    HWND window = tracer.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    e2e::Type(window, "help\r");
    e2e::Type(window, "burst 300\r");
    // The burst comes after the help text: wait for its first byte from 0x80 up.
    EXPECT_TRUE(e2e::WaitFor([&] {
        const std::string log = e2e::ReadFileBytes(File("vizo.log"));
        return std::any_of(log.begin(), log.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    }));
    Exit(tracer, window);

    const std::string log = e2e::ReadFileBytes(File("vizo.log"));
    const size_t lineEnd = log.find("\r\n");
    ASSERT_NE(std::string::npos, lineEnd) << log;
    const std::string banner = log.substr(0, lineEnd);
    EXPECT_EQ(0u, banner.find("===========> ")) << banner;
    EXPECT_EQ(banner.size() - 12, banner.rfind(" <==========")) << banner;
    EXPECT_NE(std::string::npos, log.find("ports")) << "the reply to help lists the commands";
    bool control = false;
    bool high = false;
    for (unsigned char c : log.substr(lineEnd + 2)) {
        control = control || (c < 0x20 && c != '\r' && c != '\n' && c != '\t');
        high = high || c >= 0x80;
    }
    EXPECT_TRUE(control && high) << "the burst's raw bytes, not their screen forms";
    EXPECT_EQ(std::string::npos, log.find("tick-")) << "tick numbers are for the screen only";
    EXPECT_NE(std::string::npos, e2e::ReadFileBytes(File("vizo.ini")).find("LogToDisk=1\r\n"));
}

TEST_F(TracerRun, LogToDiskTicksTheItemAndIsSavedForTheNextStart) {
    e2e::Program tracer(kTracer, "", folder);
    HWND window = tracer.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    e2e::PostCommand(window, IDM_LOG_TO_DISK);
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::FileExists(File("vizo.log")); }));
    EXPECT_TRUE(GetMenuState(GetMenu(window), IDM_LOG_TO_DISK, MF_BYCOMMAND) & MF_CHECKED);
    // Another program can read the log while the viewer writes it.
    HANDLE reader = CreateFileA(File("vizo.log").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, reader) << "error " << GetLastError();
    CloseHandle(reader);
    Exit(tracer, window);
    EXPECT_NE(std::string::npos, e2e::ReadFileBytes(File("vizo.ini")).find("LogToDisk=1\r\n"));
}

TEST_F(TracerRun, ClearDiskLogEmptiesTheFile) {
    WriteFile("vizo.log", std::string(5000, 'x'));
    e2e::Program tracer(kTracer, "", folder);
    HWND window = tracer.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    e2e::PostCommand(window, IDM_CLEAR_DISK_LOG);
    HWND box = tracer.WaitBox(kBoxCaption, "Log file cleared.");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(0, e2e::FileSize(File("vizo.log")));
    e2e::PressButton(box, IDOK);
    Exit(tracer, window);
    EXPECT_EQ(0, e2e::FileSize(File("vizo.log")));
}

// vizo.ini as the viewer leaves it with its window at 40,50 and 500 by 320.
constexpr const char* kSavedAt40And50 =
    ";---- Velmora Program Configuration File.\r\n\r\n[program]\r\nwindow=40,50,500,320\r\n"
    "FontHeight=0\r\nFontFace=\r\nLogToDisk=0\r\n\r\n";

TEST_F(TracerRun, ExitSavesTheWindowRectangleAndTheNextStartReopensThere) {
    Run([](HWND window) { EXPECT_TRUE(e2e::MoveTo(window, 40, 50, 500, 320)) << e2e::OuterRectangle(window); });
    EXPECT_EQ(kSavedAt40And50, e2e::ReadFileBytes(File("vizo.ini")));
    Run([](HWND window) { EXPECT_EQ("40,50,500,320", e2e::OuterRectangle(window)); });
}

TEST_F(TracerRun, AWindowClosedMinimisedComesBackOnTheScreenAtItsRestoredSize) {
    // What a window closed while minimised used to leave behind.
    WriteFile("vizo.ini", "[program]\r\nwindow=-32000,-32000,160,24\r\n");
    Run([](HWND window) {
        EXPECT_TRUE(e2e::OnWorkArea(window)) << e2e::OuterRectangle(window);
        ASSERT_TRUE(e2e::MoveTo(window, 40, 50, 500, 320)) << e2e::OuterRectangle(window);
        ASSERT_TRUE(e2e::Minimise(window));
    });
    EXPECT_EQ(kSavedAt40And50, e2e::ReadFileBytes(File("vizo.ini")));
    Run([](HWND window) { EXPECT_EQ("40,50,500,320", e2e::OuterRectangle(window)); });
}

TEST_F(TracerRun, RepeatedIoctlFailuresShowOneBox) {
    WriteFile("vizo.ini", "[program]\r\nLogToDisk=1\r\n");
    e2e::Program tracer(kTracer, "", folder);
    HWND window = tracer.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    e2e::Type(window, "fail 3\r");
    HWND box = tracer.WaitDialog(kBoxCaption);
    ASSERT_NE(nullptr, box);
    const std::string text = e2e::ControlText(box, e2e::kMessageBoxTextId);
    EXPECT_EQ(0u, text.find("Error ")) << text;
    EXPECT_NE(std::string::npos, text.find("H) from ioctl")) << text;
    // The box's loop goes on polling; the first good reply brings the stand-in's
    // note of each failure, after any box the second and third would have raised.
    EXPECT_TRUE(e2e::WaitFor(
        [&] { return e2e::Occurrences(e2e::ReadFileBytes(File("vizo.log")), "request 13 failed on demand") == 3; }));
    EXPECT_EQ(1u, tracer.Dialogs(kBoxCaption).size());
    e2e::PressButton(box, IDOK);
    ASSERT_TRUE(e2e::WaitClosed(box));
    // A poll by hand returns only if it raised no box.
    EXPECT_TRUE(e2e::RunTick(window));
    EXPECT_TRUE(tracer.Dialogs(kBoxCaption).empty());
    Exit(tracer, window);
}

TEST_F(TracerRun, AFloodOf100000BytesASecondReachesTheLogWithoutAGap) {
    WriteFile("vizo.ini", "[program]\r\nLogToDisk=1\r\n");
    e2e::Program tracer(kTracer, "", folder);
    HWND window = tracer.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    // The flood lines' numbers in the log, in its order.
    std::vector<unsigned long> numbers;
    const auto logged = [&] {
        numbers.clear();
        const std::string log = e2e::ReadFileBytes(File("vizo.log"));
        for (size_t at = log.find("\r\nflood "); at != std::string::npos; at = log.find("\r\nflood ", at + 1)) {
            numbers.push_back(std::strtoul(log.c_str() + at + 8, nullptr, 10));
        }
        return numbers.size();
    };
    // 2,083 lines a second; 3,000 and those before the stop stay below the
    // 200,000 bytes where the log starts over.
    const DWORD start = GetTickCount();
    e2e::Type(window, "flood 100000\r");
    ASSERT_TRUE(e2e::WaitFor([&] { return logged() >= 3000; }));
    const DWORD elapsed = GetTickCount() - start;
    e2e::Type(window, "flood 0\r");
    Exit(tracer, window);
    logged();
    int gaps = 0;
    for (size_t i = 1; i < numbers.size(); ++i) {
        gaps += numbers[i] != numbers[i - 1] + 1 ? 1 : 0;
    }
    std::printf("flood: %d lines logged, the 3,000th after %lu ms (%.0f bytes a second), %d gaps\n",
                static_cast<int>(numbers.size()), elapsed, 3000.0 * 48 * 1000 / elapsed, gaps);
    EXPECT_EQ(1u, numbers.front());
    EXPECT_EQ(0, gaps);
}

TEST_F(TracerRun, AnAbsurdCountAndAFullBurstOfEveryByteReachTheLogBounded) {
    WriteFile("vizo.ini", "[program]\r\nLogToDisk=1\r\n");
    e2e::Program tracer(kTracer, "", folder);
    HWND window = tracer.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    // The reply after "count" (here the one to "help") claims 4 GiB; the one
    // after "burst" carries a whole reply's room of the bytes 1 to 255.
    e2e::Type(window, "count 4294967295\rhelp\r");
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::FileSize(File("vizo.log")) > 10084; }));
    e2e::Type(window, "burst 10084\r");
    std::string burst(10084, '\0');
    for (size_t i = 0; i < burst.size(); ++i) {
        burst[i] = static_cast<char>(1 + i % 255);
    }
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::ReadFileBytes(File("vizo.log")).find(burst) != std::string::npos; }));
    EXPECT_TRUE(tracer.Dialogs(kBoxCaption).empty());
    Exit(tracer, window);
    // The claimed count was cut to one reply's room, not taken as it came.
    EXPECT_LT(e2e::FileSize(File("vizo.log")), 4 * 10084);
}

}  // namespace
