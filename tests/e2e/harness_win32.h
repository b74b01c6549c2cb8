// Drives the real programs under Wine the way a user would, through Win32 itself.
// Every wait is bounded and names what it waited for when it gives up.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "tests/e2e/wait_win32.h"
#include "tools/win32/standin_service.h"

namespace e2e {

// What a test needs to know of one of the two programs.
struct Kind {
    const char* Exe;
    const char* WindowClass;
    const char* Title;
    const char* BoxCaption;  // of its message boxes
    int ExitCommand;
};
extern const Kind kMonitor;
extern const Kind kTracer;

// Folder holding the test program and the programs under test.
std::string BinFolder();
// An empty folder for one test, named after it, under the bin folder.
std::string FreshFolder();
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
long long FileSize(const std::string& path);
// The file's last write time in 100 ns units; -1 when there is no such file.
long long WriteTime(const std::string& path);

class Program {
public:
    // Starts bin/<exe> (or `exe` itself when it is a path) with `arguments` and
    // `folder` as its current directory.
    Program(const std::string& exe, const std::string& arguments, const std::string& folder);
    Program(const Kind& kind, const std::string& arguments, const std::string& folder);
    // A program still running at the end of a test is killed and the test fails.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return process_ != nullptr; }
    // True once the process has ended, or when it never started.
    bool Ended() const;
    // A visible top-level window of this process; null (and a failure) on timeout.
    HWND WaitWindow(const char* windowClass, const char* title, DWORD ms = kWaitMs);
    // The program's main window, for a Program started as a Kind.
    HWND WaitMainWindow(DWORD ms = kWaitMs);
    // A dialog or message box of this process by its caption.
    HWND WaitDialog(const char* caption, DWORD ms = kWaitMs);
    // A box captioned `caption` that shows `text` (an earlier one may still be closing).
    HWND WaitBox(const char* caption, const std::string& text);
    // The process's visible dialogs and boxes captioned `caption`.
    std::vector<HWND> Dialogs(const char* caption) const;
    // True when the process ended in time; its exit code goes to `code`.
    bool WaitExit(DWORD* code = nullptr, DWORD ms = kWaitMs);
    // Ends the process at once, as a crash or a power cut would.
    void Kill();
    // Answers every box captioned `caption` with OK until the process ends;
    // the boxes' texts in order. Fails when it does not end within `ms`.
    std::vector<std::string> AnswerBoxesUntilExit(const char* caption, DWORD ms = kWaitMs);
    // Ends a Program started as a Kind through its E&xit command and answers
    // its boxes until it ends; their texts.
    std::vector<std::string> Exit(HWND window);

private:
    const Kind* kind_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    std::string name_;
};

using During = std::function<void(Program&, HWND)>;

// Starts `kind` in `folder`, waits for its main window, runs `during` against
// it and ends it through E&xit: the texts of the boxes it showed while ending,
// or {"no window"}.
std::vector<std::string> RunProgram(const Kind& kind, const std::string& arguments, const std::string& folder,
                                    const During& during = nullptr);

// Runs bin/<exe> with `arguments` in the bin folder and waits for it; its
// standard output and error go to `output`. The exit code, or -1 (and a
// failure) when it could not start or did not end in time.
int RunConsole(const std::string& exe, const std::string& arguments, std::string& output, DWORD ms = kWaitMs);

// Runs a shell command on the host, where Wine starts Unix programs but
// cannot wait for them: the end shows as a marker file. True when the command
// exited with 0 within `ms`.
bool RunHostCommand(const std::string& command, DWORD ms = kWaitMs);

// A drive letter of its own for a host folder, removed again at destruction:
// the same files by another name, as a subst or mapped drive gives them.
class DriveLetter {
public:
    explicit DriveLetter(const std::string& hostPath);
    ~DriveLetter();
    DriveLetter(const DriveLetter&) = delete;
    DriveLetter& operator=(const DriveLetter&) = delete;

    // "Q:", or empty when no letter could be mapped.
    const std::string& Drive() const { return drive_; }

private:
    std::string drive_;
};

// The host's path of a folder as the programs see it; empty when unknown.
std::string HostPath(const std::string& folder);

// A small tmpfs of its own for one test, mounted under /tmp, and unmounted
// with its drive letter again at destruction. Mounting needs root.
class ScratchVolume {
public:
    // With `ownDrive` the volume is also a drive letter of its own, so the
    // free-space query sees it; otherwise it is a folder on Z:, whose root
    // has room while the folder's own volume may have none.
    ScratchVolume(long long bytes, bool ownDrive);
    ~ScratchVolume();
    ScratchVolume(const ScratchVolume&) = delete;
    ScratchVolume& operator=(const ScratchVolume&) = delete;

    // Empty when mounted; otherwise why not, for GTEST_SKIP.
    const std::string& Problem() const { return problem_; }
    // An empty folder on the volume, as the programs see it.
    const std::string& Folder() const { return folder_; }
    // Fills the volume until not one more byte fits.
    bool Fill();

private:
    std::string hostPath_;
    std::unique_ptr<DriveLetter> drive_;
    std::string folder_;
    std::string problem_;
};

// Text of a control; a message box's text is the static with id 0xFFFF.
std::string ControlText(HWND dialog, int id);
constexpr int kMessageBoxTextId = 0xFFFF;

void PostCommand(HWND window, int id);
// Runs one of the window's timer ticks now and returns once it is over: false
// when it did not end within `ms`, as when it waits on a box of its own.
bool RunTick(HWND window, DWORD ms = 5000);
void SetControlText(HWND dialog, int id, const std::string& text);
void SelectListEntry(HWND dialog, int id, int index);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Saves the whole screen as a bitmap file, for a person to look at.
bool SaveScreenshot(const std::string& path);
// Presses a dialog button as a click would (the dialog's WM_COMMAND).
void PressButton(HWND dialog, int id);

// True once the window has closed or is hidden.
bool WaitClosed(HWND window);
// Posts each character of `keys` to the window as typed.
void Type(HWND window, const std::string& keys);
// How often `part` occurs in `text`.
int Occurrences(const std::string& text, const std::string& part);

// A window's client area as the screen shows it, row by row.
struct ClientPixels {
    int Width = 0;
    int Height = 0;
    std::vector<COLORREF> Pixels;
    COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
};
ClientPixels ReadClientPixels(HWND window);
// True once a graph window shows its transmit line in its plot area (below
// the two lines of text, whose legend has the line's colour).
bool GraphShowsPoints(HWND graph);
// True once the client area has changed `count` times (a paint, a tick).
bool WaitRepaints(HWND window, int count, DWORD ms = kWaitMs);

// The stand-in driver with `settings`, as a suite's fixture installs it
// (standin_ctl install) when given the defaults; empty, or the problem.
std::string InstallStandIn(const standin::Settings& settings = standin::Settings());
// The stand-in driver started again with its settings: its counts, traffic and
// pending text begin anew, as for a freshly installed one.
std::string RestartStandIn();
// Puts the suite's stand-in back at the end of a test that changed or removed it.
struct StandInRestore {
    StandInRestore() = default;
    ~StandInRestore();
    StandInRestore(const StandInRestore&) = delete;
    StandInRestore& operator=(const StandInRestore&) = delete;
};

// A window's outer rectangle as the programs' files write it: "left,top,width,height".
std::string OuterRectangle(HWND window);
// Moves another process's window and waits until it is there.
bool MoveTo(HWND window, int left, int top, int width, int height);
// Minimises a window as its title-bar button does and waits until it is.
bool Minimise(HWND window);
// True when the window's outer rectangle lies wholly on the desktop's work area.
bool OnWorkArea(HWND window);

// "label=id" of each item of a program's menu resource and its pop-ups, one per
// line, with "-" for separators and pop-ups as "[label]". Read from the program
// file, since Wine does not show another process's menu items.
std::string MenuOutline(const std::string& exe, const char* menuName);

// A program's dialog template, read from the program file: a first line with the
// caption, font and size, then one line per control in tab order:
// "id kind "text" x,y,w,h" in dialog units.
std::string DialogOutline(const std::string& exe, const char* dialogName);

// A text of bin/<exe>'s version block (US English, Unicode), or what is missing.
std::string VersionValue(const std::string& exe, const char* name);

}  // namespace e2e
