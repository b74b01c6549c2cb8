// The trace viewer's start, menu, boxes, disk log and settings under Wine. The
// runs that need the driver talk to the stand-in driver and are skipped while
// its service is not running.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/harness_win32.h"
#include "tools/win32/standin_service.h"

namespace {

constexpr const char* kTracer = "vizo.exe";
constexpr const char* kBoxCaption = "Port Vizo";

struct BoxQuery {
    DWORD ProcessId;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectBox(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<BoxQuery*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char caption[64] = {};
    char className[16] = {};
    GetWindowTextA(window, caption, sizeof caption);
    GetClassNameA(window, className, sizeof className);
    if (owner == query->ProcessId && IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0 &&
        lstrcmpA(caption, kBoxCaption) == 0) {
        query->Found.push_back(window);
    }
    return TRUE;
}

// The program's open message boxes captioned "Port Vizo".
std::vector<HWND> OpenBoxes(HWND mainWindow) {
    BoxQuery query{0, {}};
    GetWindowThreadProcessId(mainWindow, &query.ProcessId);
    EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&query));
    return query.Found;
}

// Waits for a "Port Vizo" box showing `text` (an earlier box may still be closing).
HWND WaitBoxText(e2e::Program& program, const std::string& text) {
    const DWORD start = GetTickCount();
    std::string last;
    while (GetTickCount() - start < e2e::kWaitMs) {
        HWND box = program.WaitDialog(kBoxCaption);
        if (box == nullptr) {
            return nullptr;
        }
        last = e2e::ControlText(box, e2e::kMessageBoxTextId);
        if (last == text) {
            return box;
        }
        Sleep(50);
    }
    ADD_FAILURE() << "no box \"" << text << "\"; the last one said \"" << last << "\"";
    return nullptr;
}

void Type(HWND window, const std::string& keys) {
    for (char c : keys) {
        PostMessageA(window, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
    }
}

// Pixels of the client area darker than mid-grey, read back from the screen:
// the viewer draws black text on white.
int DarkPixels(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int width = client.right;
    const int height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    int dark = 0;
    const auto* pixels = static_cast<const uint8_t*>(bits);
    for (int i = 0; bits != nullptr && i < width * height; ++i) {
        if (pixels[4 * i] + pixels[4 * i + 1] + pixels[4 * i + 2] < 3 * 128) {
            ++dark;
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return dark;
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
        e2e::MenuOutline(kTracer, "VIZO"));
    EXPECT_EQ("1.12", e2e::VersionValue(kTracer, "FileVersion"));
    EXPECT_EQ("1.12", e2e::VersionValue(kTracer, "ProductVersion"));
    EXPECT_EQ("Vizo Trace Program", e2e::VersionValue(kTracer, "FileDescription"));
    EXPECT_EQ("Vizo", e2e::VersionValue(kTracer, "InternalName"));
    EXPECT_EQ("Vizo.exe", e2e::VersionValue(kTracer, "OriginalFilename"));
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
    ASSERT_EQ("", standin::Remove());
    const std::string folder = e2e::FreshFolder() + "\\tarnel";
    CreateDirectoryA(folder.c_str(), nullptr);
    e2e::Program tracer(kTracer, "", folder);
    HWND box = WaitBoxText(tracer, "Could not open file: \\\\.\\tarnel, error:2");
    ASSERT_NE(nullptr, box);
    e2e::PressButton(box, IDOK);
    box = WaitBoxText(tracer, "Could Not connect to driver!");
    ASSERT_NE(nullptr, box);
    e2e::PressButton(box, IDOK);
    DWORD code = 1;
    ASSERT_TRUE(tracer.WaitExit(&code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(e2e::FileExists(folder + "\\vizo.ini"));
    EXPECT_FALSE(e2e::FileExists(folder + "\\vizo.log"));
}

// Runs against the stand-in driver, reached as \\.\tarnel from a folder named tarnel.
struct TracerRun : ::testing::Test {
    std::string folder;

    void SetUp() override {
        ASSERT_EQ("", standin::Install(standin::Settings(), e2e::BinFolder() + "\\" + standin::kDriverFile));
        folder = e2e::FreshFolder() + "\\tarnel";
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override { EXPECT_EQ("", standin::Remove()); }
    std::string File(const char* name) const { return folder + "\\" + name; }
    void WriteFile(const char* name, const std::string& bytes) const {
        HANDLE file = CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    static void Exit(e2e::Program& tracer, HWND window) {
        e2e::PostCommand(window, 107);
        DWORD code = 1;
        ASSERT_TRUE(tracer.WaitExit(&code));
        EXPECT_EQ(0u, code);
    }
    // Starts the viewer, runs `during` against its window, then ends it through E&xit.
    void Run(const std::function<void(HWND)>& during) const {
        e2e::Program tracer(kTracer, "", folder);
        HWND window = tracer.WaitWindow("Vizo", "Vizo Tracer");
        ASSERT_NE(nullptr, window);
        during(window);
        Exit(tracer, window);
    }
};

TEST_F(TracerRun, OpensAtHalfTheScreenAndShowsTheReplyToATypedCommand) {
    e2e::Program tracer(kTracer, "", folder);
    HWND window = tracer.WaitWindow("Vizo", "Vizo Tracer");
    ASSERT_NE(nullptr, window);
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) / 2, outer.right - outer.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN) / 2, outer.bottom - outer.top);

    Type(window, "help\r");
    EXPECT_TRUE(e2e::WaitFor([&] { return DarkPixels(window) > 200; })) << "no text drawn: " << DarkPixels(window);
    EXPECT_TRUE(OpenBoxes(window).empty());
    Exit(tracer, window);
}

TEST_F(TracerRun, TheLogHoldsTheBannerAndTheDriversBytesAsTheyCame) {
    WriteFile("vizo.ini", "[program]\r\nLogToDisk=1\r\n");
    e2e::Program tracer(kTracer, "-T", folder);
    HWND window = tracer.WaitWindow("Vizo", "Vizo Tracer");
    ASSERT_NE(nullptr, window);
    Type(window, "help\r");
    Type(window, "burst 300\r");
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
    HWND window = tracer.WaitWindow("Vizo", "Vizo Tracer");
    ASSERT_NE(nullptr, window);
    e2e::PostCommand(window, 100);
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::FileExists(File("vizo.log")); }));
    EXPECT_TRUE(GetMenuState(GetMenu(window), 100, MF_BYCOMMAND) & MF_CHECKED);
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
    HWND window = tracer.WaitWindow("Vizo", "Vizo Tracer");
    ASSERT_NE(nullptr, window);
    e2e::PostCommand(window, 101);
    HWND box = WaitBoxText(tracer, "Log file cleared.");
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
    e2e::Program tracer(kTracer, "", folder);
    HWND window = tracer.WaitWindow("Vizo", "Vizo Tracer");
    ASSERT_NE(nullptr, window);
    Type(window, "fail 3\r");
    HWND box = tracer.WaitDialog(kBoxCaption);
    ASSERT_NE(nullptr, box);
    const std::string text = e2e::ControlText(box, e2e::kMessageBoxTextId);
    EXPECT_EQ(0u, text.find("Error ")) << text;
    EXPECT_NE(std::string::npos, text.find("H) from ioctl")) << text;
    // Long enough for the three failing requests and more ticks after them.
    Sleep(2000);
    EXPECT_EQ(1u, OpenBoxes(window).size());
    e2e::PressButton(box, IDOK);
    Sleep(1000);
    EXPECT_TRUE(OpenBoxes(window).empty());
    Exit(tracer, window);
}

TEST_F(TracerRun, AnAbsurdCountAndAFullBurstOfEveryByteReachTheLogBounded) {
    WriteFile("vizo.ini", "[program]\r\nLogToDisk=1\r\n");
    e2e::Program tracer(kTracer, "", folder);
    HWND window = tracer.WaitWindow("Vizo", "Vizo Tracer");
    ASSERT_NE(nullptr, window);
    // The reply after "count" (here the one to "help") claims 4 GiB; the one
    // after "burst" carries a whole reply's room of the bytes 1 to 255.
    Type(window, "count 4294967295\rhelp\r");
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::FileSize(File("vizo.log")) > 10084; }));
    Type(window, "burst 10084\r");
    std::string burst(10084, '\0');
    for (size_t i = 0; i < burst.size(); ++i) {
        burst[i] = static_cast<char>(1 + i % 255);
    }
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::ReadFileBytes(File("vizo.log")).find(burst) != std::string::npos; }));
    EXPECT_TRUE(OpenBoxes(window).empty());
    Exit(tracer, window);
    // The claimed count was cut to one reply's room, not taken as it came.
    EXPECT_LT(e2e::FileSize(File("vizo.log")), 4 * 10084);
}

}  // namespace
