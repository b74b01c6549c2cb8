// Both programs against hostile disks and folders (too little space, a volume
// that fills during a save, kills in the middle of one, files that cannot be
// replaced, start folders with awkward paths) and against the end of the
// session, second copies of themselves and a driver that restarts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "monitor/stats/statistics_file.h"
#include "resources/vizo_ids.h"
#include "resources/zorvel_ids.h"
#include "tests/e2e/harness_win32.h"

namespace {

using e2e::kMonitor;
using e2e::kTracer;
using zorvel::kStatisticsFileSize;
using Texts = std::vector<std::string>;

constexpr const char* kMonitorCaption = "TarnelPort Monitor";
constexpr const char* kTracerCaption = "Port Vizo";
constexpr long long kStatisticsBytes = kStatisticsFileSize;

// Contents that neither program would write, so a replaced file shows.
const std::string kOldView = "[program]\r\nwindow=40,30,500,300\r\n\r\n[CellTxTotal]\r\nInput=7\r\nWidth=16\r\n";
const std::string kOldSettings = "[program]\r\nUpdateTime=3\r\n";
const std::string kOldStatistics(kStatisticsFileSize, '\x01');
const std::string kOldTracerSettings = "[program]\r\nwindow=40,50,500,320\r\nLogToDisk=0\r\n";

std::string In(const std::string& folder, const char* name) {
    return folder + "\\" + name;
}

void PutMonitorFiles(const std::string& folder) {
    e2e::WriteFileBytes(In(folder, "zorvel.vew"), kOldView);
    e2e::WriteFileBytes(In(folder, "zorvel.ini"), kOldSettings);
    e2e::WriteFileBytes(In(folder, "calcs.dat"), kOldStatistics);
}

Texts TempFiles(const std::string& folder) {
    Texts names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(In(folder, "*.tmp").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            names.push_back(entry.cFileName);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    return names;
}

// Runs the simulated monitor in `folder` and ends it through E&xit; the texts
// of the boxes it showed while ending.
Texts RunMonitor(const std::string& folder, const e2e::During& during = nullptr) {
    return e2e::RunProgram(kMonitor, "-F", folder, during);
}

// The same for the trace viewer, which needs the stand-in driver running.
Texts RunTracer(const std::string& folder) {
    return e2e::RunProgram(kTracer, "", folder);
}

// The suite's stand-in driver, fresh for one test; or one with other links,
// after which the suite's one is put back.
struct StandIn {
    StandIn() : problem(e2e::RestartStandIn()) {}
    explicit StandIn(const char* links) {
        restore.emplace();
        standin::Settings settings;
        settings.Links = links;
        problem = e2e::InstallStandIn(settings);
    }
    std::optional<e2e::StandInRestore> restore;
    std::string problem;
};

// Presses a Test button of Program Setup with the single hour report of all ports.
std::string HourTest(e2e::Program& monitor, HWND window) {
    e2e::PostCommand(window, IDM_CONFIG);
    HWND setup = monitor.WaitDialog("Program Setup");
    if (setup == nullptr) {
        return "no Program Setup";
    }
    e2e::SelectListEntry(setup, IDC_HOUR_SINGLE, 2);
    e2e::PressButton(setup, IDC_HOUR_TEST);
    HWND box = monitor.WaitDialog(kMonitorCaption);
    const std::string text = box != nullptr ? e2e::ControlText(box, e2e::kMessageBoxTextId) : "no box";
    if (box != nullptr) {
        e2e::PressButton(box, IDOK);
        e2e::WaitClosed(box);
    }
    e2e::PressButton(setup, IDCANCEL);
    return text;
}

TEST(DiskFaults, BelowTwoMillionBytesFreeTheViewAndTheStatisticsAreWritten) {
    e2e::ScratchVolume volume(1 << 20, true);
    if (!volume.Problem().empty()) {
        GTEST_SKIP() << volume.Problem();
    }
    const std::string folder = volume.Folder();
    const Texts boxes = RunMonitor(folder, [&](e2e::Program& monitor, HWND window) {
        EXPECT_FALSE(e2e::FolderExists(In(folder, "REPORTS")));
        EXPECT_EQ("Error reported:1", HourTest(monitor, window));
    });
    EXPECT_EQ(Texts{}, boxes);
    EXPECT_TRUE(e2e::FileExists(In(folder, "zorvel.vew")));
    EXPECT_FALSE(e2e::FileExists(In(folder, "zorvel.ini")));
    EXPECT_EQ(kStatisticsBytes, e2e::FileSize(In(folder, "calcs.dat"))) << "the session's figures fit";
}

TEST(DiskFaults, AVolumeThatIsFullKeepsEveryPreviousFile) {
    // The drive's root has room; the folder's own volume has none, so the
    // settings are not even tried, and the statistics are tried and said.
    e2e::ScratchVolume volume(256 << 10, false);
    if (!volume.Problem().empty()) {
        GTEST_SKIP() << volume.Problem();
    }
    const std::string folder = volume.Folder();
    PutMonitorFiles(folder);
    e2e::WriteFileBytes(In(folder, "vizo.ini"), kOldTracerSettings);
    ASSERT_TRUE(volume.Fill());

    EXPECT_EQ((Texts{"An error occurred while writing the zorvel.vew file.",
                     "An error occurred while writing the calcs.dat file."}),
              RunMonitor(folder));
    EXPECT_EQ(kOldView, e2e::ReadFileBytes(In(folder, "zorvel.vew")));
    EXPECT_EQ(kOldSettings, e2e::ReadFileBytes(In(folder, "zorvel.ini")));
    EXPECT_TRUE(kOldStatistics == e2e::ReadFileBytes(In(folder, "calcs.dat"))) << "calcs.dat changed";

    StandIn driver;
    ASSERT_EQ("", driver.problem);
    EXPECT_EQ(Texts{"An error occurred while writing the vizo.ini file."}, RunTracer(folder));
    EXPECT_EQ(kOldTracerSettings, e2e::ReadFileBytes(In(folder, "vizo.ini")));
    EXPECT_EQ(Texts{}, TempFiles(folder));
}

struct Unreplaceable {
    const char* File;
    bool Folder;  // a folder where the file should be, else a read-only file
    Texts Boxes;
};

TEST(DiskFaults, AFileThatCannotBeReplacedIsReportedAndNothingElseIsLost) {
    const Unreplaceable cases[] = {
        {"calcs.dat", false, {"Could not open calcs.dat!"}},
        {"zorvel.ini", false, {"Could not open zorvel.ini!"}},
        {"zorvel.vew", false, {"Could not open zorvel.vew!"}},
        {"vizo.ini", false, {"Could not open vizo.ini!"}},
        {"zorvel.ini", true, {"Could not open zorvel.ini!"}},
    };
    StandIn driver;
    ASSERT_EQ("", driver.problem);
    const std::string base = e2e::FreshFolder();
    int serial = 0;
    for (const Unreplaceable& c : cases) {
        const std::string label = std::string(c.File) + (c.Folder ? " as a folder" : " read-only");
        const std::string folder = base + "\\tarnel" + std::to_string(++serial);
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string target = In(folder, c.File);
        const std::string old = "kept\r\n";
        if (c.Folder) {
            CreateDirectoryA(target.c_str(), nullptr);
        } else {
            e2e::WriteFileBytes(target, old);
            SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
        }
        const bool tracer = std::string(c.File) == "vizo.ini";
        EXPECT_EQ(c.Boxes, tracer ? RunTracer(folder) : RunMonitor(folder)) << label;
        if (c.Folder) {
            EXPECT_TRUE(e2e::FolderExists(target)) << label;
        } else {
            EXPECT_EQ(old, e2e::ReadFileBytes(target)) << label;
        }
        EXPECT_EQ(Texts{}, TempFiles(folder)) << label;
        if (!tracer) {
            for (const char* other : {"calcs.dat", "zorvel.ini", "zorvel.vew"}) {
                EXPECT_TRUE(other == std::string(c.File) || e2e::FileExists(In(folder, other)))
                    << label << ": " << other << " was not written";
            }
        }
    }
}

// A view file as the monitor writes it, cut nowhere.
bool WholeView(const std::string& view) {
    int cells = 0;
    for (size_t at = view.find("[Cell"); at != std::string::npos; at = view.find("[Cell", at + 1)) {
        ++cells;
    }
    const std::string end = "[CellParityErrorsRaw]\r\nInput=56\r\nWidth=30\r\n\r\n";
    return cells == 56 && view.size() > end.size() && view.compare(view.size() - end.size(), end.size(), end) == 0;
}

TEST(KillDuringSave, EveryFileIsTheOldOrTheNewOneWhole) {
    constexpr int kKills = 20;
    const std::string folder = e2e::FreshFolder();
    ASSERT_EQ(Texts{}, RunMonitor(folder));
    const std::string settings = e2e::ReadFileBytes(In(folder, "zorvel.ini"));
    ASSERT_EQ("[program]\r\nUpdateTime=2\r\n", settings);

    int leftTemporaries = 0;
    int changedStatistics = 0;
    for (int run = 0; run < kKills; ++run) {
        const long long before = e2e::WriteTime(In(folder, "calcs.dat"));
        {
            e2e::Program monitor(kMonitor, "-F", folder);
            HWND window = monitor.WaitMainWindow();
            ASSERT_NE(nullptr, window);
            // Even runs end through E&xit (statistics, settings, view), odd ones
            // save (view, settings). A save lasts milliseconds, so the kill
            // comes at spread-out moments: after the save's first temporary file
            // has been seen on 1 to 8 polls of a millisecond, or at once when the
            // polls missed the whole save.
            const long long settingsBefore = e2e::WriteTime(In(folder, "zorvel.ini"));
            e2e::PostCommand(window, run % 2 == 0 ? IDM_EXIT : IDM_SAVE);
            int seen = 0;
            e2e::WaitFor(
                [&] {
                    seen += !TempFiles(folder).empty();
                    return seen > run % 8 || e2e::WriteTime(In(folder, "zorvel.ini")) != settingsBefore ||
                           monitor.Ended();
                },
                5000, 1);
            monitor.Kill();
        }
        const std::string after = e2e::ReadFileBytes(In(folder, "calcs.dat"));
        EXPECT_EQ(kStatisticsFileSize, after.size()) << "run " << run;
        changedStatistics += e2e::WriteTime(In(folder, "calcs.dat")) != before;
        EXPECT_EQ(settings, e2e::ReadFileBytes(In(folder, "zorvel.ini"))) << "run " << run;
        EXPECT_TRUE(WholeView(e2e::ReadFileBytes(In(folder, "zorvel.vew")))) << "run " << run;
        leftTemporaries += !TempFiles(folder).empty();
    }
    std::printf("kills: %d, calcs.dat replaced by %d, a temporary file left by %d\n", kKills, changedStatistics,
                leftTemporaries);
    ASSERT_EQ(Texts{}, RunMonitor(folder));
    EXPECT_EQ(Texts{}, TempFiles(folder));
}

// `wide` in the programs' code page; empty when it cannot be written there.
std::string InCodePage(const std::wstring& wide) {
    BOOL lost = FALSE;
    std::string text(wide.size() * 2, '\0');
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), static_cast<int>(wide.size()),
                                           &text[0], static_cast<int>(text.size()), nullptr, &lost);
    return lost || length <= 0 ? std::string() : text.substr(0, static_cast<size_t>(length));
}

TEST(StartFolders, BlanksLettersBeyondAsciiAndPathsNearTheLimitKeepEveryFile) {
    const std::string base = e2e::FreshFolder();
    const std::string letters = InCodePage(L"\u00c4rger \u00fcber Z\u00e4hler \u00e9t\u00e9 \u00f1");
    if (letters.empty()) {
        GTEST_SKIP() << "the code page " << GetACP() << " has no letters beyond ASCII to test with";
    }
    // The viewer finds its driver family, here the one the stand-in alone
    // answers, in the folder's last name: a path cut short loses it. Room is
    // left for the longest name the programs make there, REPORTS\hall.txt.
    std::string deep = base;
    // Each step adds a separator and at least one letter, whatever the base's length.
    while (deep.size() + 1 < MAX_PATH - 28) {
        deep += "\\" + std::string(std::min<size_t>(40, MAX_PATH - 28 - deep.size()), 'd');
        ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep.size() << ": error " << GetLastError();
    }
    deep += "\\korvex";
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep.size() << ": error " << GetLastError();
    const std::string spaced = base + "\\Korvex " + letters;
    ASSERT_TRUE(CreateDirectoryA(spaced.c_str(), nullptr)) << GetLastError();

    StandIn driver("korvexa");
    ASSERT_EQ("", driver.problem);
    for (const std::string& folder : {spaced, deep}) {
        const Texts boxes = RunMonitor(folder, [&](e2e::Program& monitor, HWND window) {
            EXPECT_EQ("Done.", HourTest(monitor, window)) << folder;
            // The chooser opens in REPORTS; the monitor must come back to its start folder.
            e2e::PostCommand(window, IDM_EDIT_REPORT);
            HWND chooser = monitor.WaitDialog("Open a File");
            ASSERT_NE(nullptr, chooser) << folder;
            e2e::PressButton(chooser, IDCANCEL);
            EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindow(chooser); })) << folder;
            e2e::PostCommand(window, IDM_SAVE);
            EXPECT_TRUE(e2e::WaitFor([&] { return e2e::FileExists(In(folder, "zorvel.ini")); })) << folder;
        });
        EXPECT_EQ(Texts{}, boxes) << folder;
        EXPECT_TRUE(e2e::FileExists(In(folder, "REPORTS\\hall.txt"))) << folder;
        EXPECT_EQ(kStatisticsBytes, e2e::FileSize(In(folder, "calcs.dat"))) << folder;
        EXPECT_TRUE(WholeView(e2e::ReadFileBytes(In(folder, "zorvel.vew")))) << folder;
        EXPECT_EQ(Texts{}, RunTracer(folder)) << folder;
        EXPECT_TRUE(e2e::FileExists(In(folder, "vizo.ini"))) << folder;
    }
}

// What Windows does at a logoff: asks, tells, and may end the process as soon
// as the answer is back, without a WM_DESTROY. A box would hold the answer up.
void EndSession(HWND window) {
    DWORD_PTR answer = 0;
    ASSERT_NE(0, SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000, &answer));
    EXPECT_EQ(static_cast<DWORD_PTR>(TRUE), answer);
    EXPECT_NE(0, SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 10000, &answer))
        << "the saves did not come back in 10 s";
}

std::string TarnelFolder() {
    const std::string folder = e2e::FreshFolder() + "\\tarnel";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

TEST(SessionEnd, BothProgramsSaveTheirFilesBeforeTheSystemEndsThem) {
    StandIn driver;
    ASSERT_EQ("", driver.problem);
    const std::string folder = TarnelFolder();
    e2e::WriteFileBytes(In(folder, "vizo.ini"), "[program]\r\nLogToDisk=1\r\n");
    const std::string settings = "[program]\r\nUpdateTime=2\r\n[metrics]\r\nFile=zorvel.prom\r\n";
    e2e::WriteFileBytes(In(folder, "zorvel.ini"), settings);
    e2e::Program monitor(kMonitor, "-F", folder);
    e2e::Program tracer(kTracer, "", folder);
    HWND monitorWindow = monitor.WaitMainWindow();
    HWND tracerWindow = tracer.WaitMainWindow();
    ASSERT_TRUE(monitorWindow != nullptr && tracerWindow != nullptr);
    EndSession(monitorWindow);
    EndSession(tracerWindow);
    // The monitor ends by itself; its ticks stop at once, so nothing writes
    // "up" over the last metrics file before the system ends the process.
    EXPECT_TRUE(monitor.WaitExit());
    tracer.Kill();
    EXPECT_NE(std::string::npos, e2e::ReadFileBytes(In(folder, "zorvel.prom")).find("\nzorvel_up 0\n"));
    EXPECT_EQ(kStatisticsBytes, e2e::FileSize(In(folder, "calcs.dat")));
    EXPECT_EQ(settings, e2e::ReadFileBytes(In(folder, "zorvel.ini")));
    EXPECT_TRUE(WholeView(e2e::ReadFileBytes(In(folder, "zorvel.vew"))));
    const std::string tracerSettings = e2e::ReadFileBytes(In(folder, "vizo.ini"));
    EXPECT_NE(std::string::npos, tracerSettings.find("window=")) << tracerSettings;
    EXPECT_NE(std::string::npos, tracerSettings.find("LogToDisk=1\r\n")) << tracerSettings;
    EXPECT_EQ(0u, e2e::ReadFileBytes(In(folder, "vizo.log")).find("===========> "));

    // On a full volume every save fails, and still nothing waits for a user.
    e2e::ScratchVolume volume(256 << 10, true);
    if (!volume.Problem().empty()) {
        GTEST_SKIP() << volume.Problem();
    }
    ASSERT_TRUE(volume.Fill());
    e2e::Program stuck(kMonitor, "-F", volume.Folder());
    HWND window = stuck.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    EndSession(window);
    stuck.Kill();
}

TEST(SecondCopy, OneMonitorPerFolderByAnyNameAndOneViewerPerDriverBringTheFirstForward) {
    StandIn driver;
    ASSERT_EQ("", driver.problem);
    const std::string folder = TarnelFolder();
    e2e::Program monitor(kMonitor, "-F", folder);
    e2e::Program tracer(kTracer, "", folder);
    HWND monitorWindow = monitor.WaitMainWindow();
    HWND tracerWindow = tracer.WaitMainWindow();
    ASSERT_TRUE(monitorWindow != nullptr && tracerWindow != nullptr);
    EXPECT_EQ(0u, e2e::ReadFileBytes(In(folder, "zorvel.lck")).find("zorvel "));

    // The monitor's folder by a drive letter of its own, as subst or a mapped
    // share would name it; the viewer from another folder on the same driver.
    const e2e::DriveLetter alias(e2e::HostPath(folder));
    ASSERT_NE("", alias.Drive());
    const std::string elsewhere = TarnelFolder() + "\\hall";
    CreateDirectoryA(elsewhere.c_str(), nullptr);
    const struct {
        const char* Exe;
        const char* Arguments;
        std::string Folder;
        HWND First;
    } seconds[] = {{"vizo.exe", "", elsewhere, tracerWindow}, {"zorvel.exe", "-F", alias.Drive() + "\\", monitorWindow}};
    for (const auto& second : seconds) {
        SCOPED_TRACE(second.Exe);
        ASSERT_TRUE(e2e::Minimise(second.First));
        e2e::Program copy(second.Exe, second.Arguments, second.Folder);
        DWORD code = 1;
        EXPECT_TRUE(copy.WaitExit(&code));
        EXPECT_EQ(0u, code);
        EXPECT_TRUE(e2e::WaitFor([&] { return !IsIconic(second.First) && GetForegroundWindow() == second.First; }));
    }
    EXPECT_EQ(Texts{}, TempFiles(elsewhere));
    // A monitor elsewhere runs beside the first.
    EXPECT_EQ(Texts{}, RunMonitor(elsewhere));
    EXPECT_EQ(Texts{}, monitor.Exit(monitorWindow));
    EXPECT_EQ(Texts{}, tracer.Exit(tracerWindow));
    EXPECT_FALSE(e2e::FileExists(In(folder, "zorvel.lck"))) << "removed at a clean exit";
}

TEST(SecondCopy, AFolderHeldFromAnotherComputerIsSaidAndALeftLockIsTakenOver) {
    const std::string folder = e2e::FreshFolder();
    const std::string lock = In(folder, "zorvel.lck");
    {
        // As a monitor on another PC holds it through a share.
        HANDLE held = CreateFileA(lock.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        DWORD written = 0;
        WriteFile(held, "zorvel 4242 HALL-B\r\n", 20, &written, nullptr);
        e2e::Program copy(kMonitor, "-F", folder);
        EXPECT_EQ(Texts{"The TarnelPort monitor already runs for this folder (process 4242)."},
                  copy.AnswerBoxesUntilExit(kMonitorCaption));
        CloseHandle(held);
    }
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(In(folder, "*").c_str(), &entry);
    Texts names;
    do {
        names.push_back(entry.cFileName);
    } while (find != INVALID_HANDLE_VALUE && FindNextFileA(find, &entry));
    FindClose(find);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((Texts{".", "..", "zorvel.lck"}), names) << "the second copy wrote nothing";

    // Nobody holds the file now, as after a crash: the next monitor takes it.
    EXPECT_EQ(Texts{}, RunMonitor(folder));
    EXPECT_EQ(kStatisticsBytes, e2e::FileSize(In(folder, "calcs.dat")));
    EXPECT_FALSE(e2e::FileExists(lock));
}

TEST(DriverRestart, TheViewerShowsOneBoxOpensTheDriverAgainAndMarksTheGapInItsLog) {
    StandIn driver;
    ASSERT_EQ("", driver.problem);
    const std::string folder = TarnelFolder();
    const std::string log = In(folder, "vizo.log");
    e2e::WriteFileBytes(In(folder, "vizo.ini"), "[program]\r\nLogToDisk=1\r\n");
    e2e::Program tracer(kTracer, "", folder);
    HWND window = tracer.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    e2e::Type(window, "help\r");
    // The reply to help, which begins so; the driver's start line names ports too.
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::Occurrences(e2e::ReadFileBytes(log), "commands:") == 1; }));

    ASSERT_EQ("", standin::Stop());
    HWND box = tracer.WaitDialog(kTracerCaption);
    ASSERT_NE(nullptr, box);
    EXPECT_NE(std::string::npos, e2e::ControlText(box, e2e::kMessageBoxTextId).find("rror")) << "an error box";
    e2e::PressButton(box, IDOK);
    ASSERT_EQ("", standin::Start());
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::Occurrences(e2e::ReadFileBytes(log), "===========> ") == 2; }));
    e2e::Type(window, "help\r");
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::Occurrences(e2e::ReadFileBytes(log), "commands:") == 2; }));
    EXPECT_EQ(Texts{}, tracer.Exit(window)) << "no second box for the same outage";
}

TEST(TraceLog, ALogThatCannotBeOpenedIsSaidAndLoggingStaysChosen) {
    StandIn driver;
    ASSERT_EQ("", driver.problem);
    const std::string folder = TarnelFolder();
    e2e::WriteFileBytes(In(folder, "vizo.ini"), "[program]\r\nLogToDisk=1\r\n");
    CreateDirectoryA(In(folder, "vizo.log").c_str(), nullptr);
    e2e::Program tracer(kTracer, "", folder);
    HWND box = tracer.WaitDialog(kTracerCaption);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Could not open vizo.log!", e2e::ControlText(box, e2e::kMessageBoxTextId));
    e2e::PressButton(box, IDOK);
    HWND window = tracer.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    e2e::PostCommand(window, IDM_CLEAR_DISK_LOG);
    box = tracer.WaitDialog(kTracerCaption);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Could not open vizo.log!", e2e::ControlText(box, e2e::kMessageBoxTextId)) << "not cleared";
    e2e::PressButton(box, IDOK);
    // Closed before the exit, which answers (and lists) any box still there.
    e2e::WaitClosed(box);
    EXPECT_EQ(Texts{}, tracer.Exit(window));
    EXPECT_NE(std::string::npos, e2e::ReadFileBytes(In(folder, "vizo.ini")).find("LogToDisk=1\r\n"));
}

}  // namespace
