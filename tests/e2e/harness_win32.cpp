#include "tests/e2e/harness_win32.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

// Both programs' E&xit is the same command, so the two headers agree on it.
#include "resources/vizo_ids.h"
#include "resources/zorvel_ids.h"

namespace e2e {
namespace {

std::string DirectoryOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

struct DialogQuery {
    DWORD ProcessId;
    const char* Caption;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<DialogQuery*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char caption[512] = {};
    char className[16] = {};
    GetWindowTextA(window, caption, sizeof caption);
    GetClassNameA(window, className, sizeof className);
    if (owner == query->ProcessId && IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0 &&
        lstrcmpA(caption, query->Caption) == 0) {
        query->Found.push_back(window);
    }
    return TRUE;
}

void OutlineMenu(HMENU menu, std::ostringstream& out, int depth) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char label[128] = {};
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = label;
        item.cch = sizeof label;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        out << std::string(static_cast<size_t>(depth) * 2, ' ');
        if (item.fType & MFT_SEPARATOR) {
            out << "-\n";
        } else if (item.hSubMenu != nullptr) {
            out << "[" << label << "]\n";
            OutlineMenu(item.hSubMenu, out, depth + 1);
        } else {
            out << label << "=" << item.wID << "\n";
        }
    }
}

// Reads the template's variable-length fields in place.
class TemplateReader {
public:
    explicit TemplateReader(const void* data) : at_(static_cast<const BYTE*>(data)) {}

    template <typename T>
    T Take() {
        T value;
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    // A text or, after 0xFFFF, an ordinal (given as "#n").
    std::string TextOrOrdinal() {
        if (Peek() == 0xFFFF) {
            Take<WORD>();
            return "#" + std::to_string(Take<WORD>());
        }
        return Text();
    }
    std::string Text() {
        std::string text;
        for (WORD c = Take<WORD>(); c != 0; c = Take<WORD>()) {
            text += static_cast<char>(c);
        }
        return text;
    }
    void AlignTo4(const void* base) {
        while ((at_ - static_cast<const BYTE*>(base)) % 4 != 0) {
            ++at_;
        }
    }

private:
    WORD Peek() const {
        WORD value;
        std::memcpy(&value, at_, sizeof value);
        return value;
    }
    const BYTE* at_;
};

std::string ControlKind(const std::string& windowClass, DWORD style) {
    if (windowClass == "#128") {
        switch (style & 0xF) {
            case BS_DEFPUSHBUTTON: return "default-push-button";
            case BS_OWNERDRAW: return "owner-drawn-button";
            default: return "push-button";
        }
    }
    if (windowClass == "#129") {
        return style & WS_BORDER ? "bordered-edit" : "edit";
    }
    if (windowClass == "#130") {
        return (style & 0x3) == SS_RIGHT ? "right-label" : "label";
    }
    if (windowClass == "#133") {
        std::string kind = (style & 0x3) == CBS_DROPDOWNLIST ? "drop-down-list" : "combo-box";
        kind += style & CBS_SORT ? "-sorted" : "";
        return kind + (style & WS_VSCROLL ? "-scrolled" : "");
    }
    return windowClass;
}

}  // namespace

const Kind kMonitor = {"zorvel.exe", "Zorvel", "TarnelPort Monitor", "TarnelPort Monitor", IDM_EXIT};
const Kind kTracer = {"vizo.exe", "Vizo", "Vizo Tracer", "Port Vizo", IDM_EXIT};

std::string BinFolder() {
    std::vector<char> path(MAX_PATH * 4);
    GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return DirectoryOf(path.data());
}

std::string FreshFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string root = BinFolder() + "\\e2e-work";
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string folder = root + "\\" + test->test_suite_name() + "." + test->name();
    RemoveTree(folder);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return -1;
    }
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

long long WriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return -1;
    }
    return (static_cast<long long>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

Program::Program(const std::string& exe, const std::string& arguments, const std::string& folder) : name_(exe) {
    const std::string path = exe.find('\\') == std::string::npos ? BinFolder() + "\\" + exe : exe;
    std::string commandLine = "\"" + path + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info)) {
        ADD_FAILURE() << "could not start " << path << " in " << folder << ", error " << GetLastError();
        return;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
}

Program::Program(const Kind& kind, const std::string& arguments, const std::string& folder)
    : Program(kind.Exe, arguments, folder) {
    kind_ = &kind;
}

Program::~Program() {
    if (process_ == nullptr) {
        return;
    }
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        ADD_FAILURE() << name_ << " was still running at the end of the test; killed";
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

HWND Program::WaitWindow(const char* windowClass, const char* title, DWORD ms) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindVisibleWindow(id_, windowClass, title)) != nullptr || Ended(); }, ms, 50,
            process_);
    if (found == nullptr) {
        ADD_FAILURE() << "no window \"" << title << "\" (class " << (windowClass ? windowClass : "any") << ") of "
                      << name_ << " within " << ms << " ms";
    }
    return found;
}

HWND Program::WaitMainWindow(DWORD ms) {
    if (kind_ == nullptr) {
        ADD_FAILURE() << name_ << " was not started as one of the programs";
        return nullptr;
    }
    return WaitWindow(kind_->WindowClass, kind_->Title, ms);
}

HWND Program::WaitDialog(const char* caption, DWORD ms) {
    return WaitWindow("#32770", caption, ms);
}

HWND Program::WaitBox(const char* caption, const std::string& text) {
    HWND box = nullptr;
    std::string last;
    const bool over = WaitFor([&] {
        const std::vector<HWND> boxes = Dialogs(caption);
        for (HWND candidate : boxes) {
            last = ControlText(candidate, kMessageBoxTextId);
            if (last == text) {
                box = candidate;
                return true;
            }
        }
        return Ended();
    });
    if (box == nullptr) {
        ADD_FAILURE() << "no box \"" << text << "\" of " << name_
                      << (over ? " before it ended" : " within " + std::to_string(kWaitMs) + " ms")
                      << "; the last one said \"" << last << "\"";
    }
    return box;
}

std::vector<HWND> Program::Dialogs(const char* caption) const {
    DialogQuery query{id_, caption, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&query));
    return query.Found;
}

bool Program::WaitExit(DWORD* code, DWORD ms) {
    if (process_ == nullptr || WaitForSingleObject(process_, ms) != WAIT_OBJECT_0) {
        ADD_FAILURE() << name_ << " did not end within " << ms << " ms";
        return false;
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process_, &exitCode);
    if (code != nullptr) {
        *code = exitCode;
    }
    return true;
}

void Program::Kill() {
    if (process_ != nullptr) {
        TerminateProcess(process_, 98);
        WaitForSingleObject(process_, 5000);
    }
}

std::vector<std::string> Program::AnswerBoxesUntilExit(const char* caption, DWORD ms) {
    std::vector<std::string> texts;
    const bool ended = WaitFor(
        [&] {
            if (Ended()) {
                return true;
            }
            if (HWND box = FindVisibleWindow(id_, "#32770", caption)) {
                texts.push_back(ControlText(box, kMessageBoxTextId));
                PressButton(box, IDOK);
                // The same box may still be listed until it has closed.
                WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000);
            }
            return false;
        },
        ms, 50, process_);
    if (!ended) {
        ADD_FAILURE() << name_ << " did not end within " << ms << " ms";
    }
    return texts;
}

std::vector<std::string> Program::Exit(HWND window) {
    if (kind_ == nullptr) {
        ADD_FAILURE() << name_ << " was not started as one of the programs";
        return {};
    }
    PostCommand(window, kind_->ExitCommand);
    return AnswerBoxesUntilExit(kind_->BoxCaption);
}

bool Program::Ended() const {
    return process_ == nullptr || WaitForSingleObject(process_, 0) != WAIT_TIMEOUT;
}

std::vector<std::string> RunProgram(const Kind& kind, const std::string& arguments, const std::string& folder,
                                    const During& during) {
    Program program(kind, arguments, folder);
    HWND window = program.WaitMainWindow();
    if (window == nullptr) {
        return {"no window"};
    }
    if (during) {
        during(program, window);
    }
    return program.Exit(window);
}

bool RunHostCommand(const std::string& command, DWORD ms) {
    static int serial = 0;
    const std::string marker = "/tmp/tarnel-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(GetTickCount()) + "-" + std::to_string(++serial) + ".done";
    std::string markerWindows = "Z:" + marker;
    for (char& c : markerWindows) {
        c = c == '/' ? '\\' : c;
    }
    // Wine splits the line into arguments by Windows rules: one quoted argument.
    std::string line = "/bin/sh -c \"(";
    for (char c : command) {
        line += c == '"' ? std::string("\\\"") : std::string(1, c);
    }
    // The marker holds the command's exit status.
    line += ") >/dev/null 2>&1; echo $? > " + marker + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    // For a Unix program Wine hands back no process handle to wait on or close.
    const bool ended = WaitFor([&] { return FileSize(markerWindows) > 0; }, ms);
    const std::string status = ReadFileBytes(markerWindows);
    DeleteFileA(markerWindows.c_str());
    return ended && status == "0\n";
}

ScratchVolume::ScratchVolume(long long bytes, bool ownDrive) {
    static int serial = 0;
    // "tarnel" in the path lets the trace viewer pick its driver family here.
    hostPath_ = "/tmp/tarnel-volume-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) +
                "-" + std::to_string(++serial);
    const std::string mount = "mkdir -p " + hostPath_ + " && mount -t tmpfs -o size=" + std::to_string(bytes) +
                              ",mode=0777 tmpfs " + hostPath_ + " && mkdir " + hostPath_ + "/work";
    if (!RunHostCommand(mount)) {
        RunHostCommand("rmdir " + hostPath_);
        problem_ = "could not mount a tmpfs at " + hostPath_ + " (needs root)";
        return;
    }
    folder_ = "Z:" + hostPath_ + "/work";
    for (char& c : folder_) {
        c = c == '/' ? '\\' : c;
    }
    if (!ownDrive) {
        return;
    }
    drive_ = std::make_unique<DriveLetter>(hostPath_);
    if (drive_->Drive().empty()) {
        problem_ = "no drive letter could be mapped to " + hostPath_;
        return;
    }
    folder_ = drive_->Drive() + "\\work";
}

ScratchVolume::~ScratchVolume() {
    drive_.reset();
    // Wine may still hold the folder open for a moment; a lazy unmount lets go anyway.
    RunHostCommand("umount " + hostPath_ + " || umount -l " + hostPath_ + "; rmdir " + hostPath_);
}

DriveLetter::DriveLetter(const std::string& hostPath) {
    for (char letter = 'q'; letter <= 'y' && drive_.empty(); ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (GetFileAttributesA(root.c_str()) == INVALID_FILE_ATTRIBUTES &&
            RunHostCommand("ln -s \"" + hostPath + "\" \"${WINEPREFIX:-$HOME/.wine}/dosdevices/" + letter + ":\"")) {
            drive_ = std::string(1, letter) + ":";
        }
    }
    if (!drive_.empty() && !WaitFor([&] { return FolderExists(drive_ + "\\"); }, 5000)) {
        drive_.clear();
    }
}

DriveLetter::~DriveLetter() {
    if (!drive_.empty()) {
        RunHostCommand("rm -f \"${WINEPREFIX:-$HOME/.wine}/dosdevices/" + drive_ + "\"");
    }
}

std::string HostPath(const std::string& folder) {
    // Wine's own export; Windows has no such path.
    using UnixName = char*(CDECL*)(const WCHAR*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    std::wstring wide(folder.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    if (unixName == nullptr || length <= 0) {
        return {};
    }
    char* path = unixName(wide.c_str());
    if (path == nullptr) {
        return {};
    }
    std::string host(path);
    HeapFree(GetProcessHeap(), 0, path);
    return host;
}

bool ScratchVolume::Fill() {
    return RunHostCommand("cat /dev/zero > " + hostPath_ + "/filler; test -s " + hostPath_ + "/filler");
}

int RunConsole(const std::string& exe, const std::string& arguments, std::string& output, DWORD ms) {
    output.clear();
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        ADD_FAILURE() << "CreatePipe failed, error " << GetLastError();
        return -1;
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    const std::string folder = BinFolder();
    const std::string path = folder + "\\" + exe;
    std::string commandLine = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION info = {};
    const BOOL started = CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, folder.c_str(), &startup, &info);
    const DWORD startError = GetLastError();
    // Only the child holds the write end now, so reading ends when it does.
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        ADD_FAILURE() << "could not start " << commandLine << ", error " << startError;
        return -1;
    }
    CloseHandle(info.hThread);
    const bool ended = WaitFor(
        [&] {
            DWORD available = 0;
            if (!PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr)) {
                return true;  // the child closed its end
            }
            if (available > 0) {
                std::string chunk(available, '\0');
                DWORD got = 0;
                ReadFile(readEnd, &chunk[0], available, &got, nullptr);
                output.append(chunk, 0, got);
            }
            return false;
        },
        ms, 20);
    CloseHandle(readEnd);
    DWORD code = 0;
    if (!ended || WaitForSingleObject(info.hProcess, ms) != WAIT_OBJECT_0) {
        ADD_FAILURE() << commandLine << " did not end within " << ms << " ms; output so far:\n" << output;
        TerminateProcess(info.hProcess, 99);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hProcess);
        return -1;
    }
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    return static_cast<int>(code);
}

std::string ControlText(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void PostCommand(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
}

bool RunTick(HWND window, DWORD ms) {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, WM_TIMER, 0, 0, SMTO_BLOCK, ms, &answer) != 0;
}

void SetControlText(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}

void SelectListEntry(HWND dialog, int id, int index) {
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool SaveScreenshot(const std::string& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        const DWORD rowBytes = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
        const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + imageBytes;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&file), sizeof file);
        out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
        out.write(static_cast<const char*>(bits), imageBytes);
        saved = static_cast<bool>(out);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string OuterRectangle(HWND window) {
    RECT outer = {};
    GetWindowRect(window, &outer);
    return std::to_string(outer.left) + "," + std::to_string(outer.top) + "," +
           std::to_string(outer.right - outer.left) + "," + std::to_string(outer.bottom - outer.top);
}

bool WaitClosed(HWND window) {
    return WaitFor([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

void Type(HWND window, const std::string& keys) {
    for (char c : keys) {
        PostMessageA(window, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
    }
}

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

ClientPixels ReadClientPixels(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    ClientPixels image;
    image.Width = client.right;
    image.Height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.Width;
    info.bmiHeader.biHeight = -image.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, image.Width, image.Height, screen, origin.x, origin.y, SRCCOPY);
        const auto* pixels = static_cast<const BYTE*>(bits);
        image.Pixels.resize(static_cast<size_t>(image.Width) * image.Height);
        for (size_t i = 0; i < image.Pixels.size(); ++i) {
            image.Pixels[i] = RGB(pixels[4 * i + 2], pixels[4 * i + 1], pixels[4 * i]);
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    } else {
        image.Width = image.Height = 0;
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

bool GraphShowsPoints(HWND graph) {
    constexpr int kTextLines = 40;
    constexpr int kTimeLabels = 22;
    const ClientPixels image = ReadClientPixels(graph);
    for (int y = kTextLines; y < image.Height - kTimeLabels; ++y) {
        for (int x = 0; x < image.Width; ++x) {
            if (image.At(x, y) == RGB(0, 70, 200)) {
                return true;
            }
        }
    }
    return false;
}

bool WaitRepaints(HWND window, int count, DWORD ms) {
    std::vector<COLORREF> shown = ReadClientPixels(window).Pixels;
    int changes = 0;
    return WaitFor(
        [&] {
            std::vector<COLORREF> now = ReadClientPixels(window).Pixels;
            if (now != shown) {
                ++changes;
                shown.swap(now);
            }
            return changes >= count;
        },
        ms);
}

std::string InstallStandIn(const standin::Settings& settings) {
    return standin::Install(settings, BinFolder() + "\\" + standin::kDriverFile);
}

std::string RestartStandIn() {
    std::string problem = standin::Stop();
    return problem.empty() ? standin::Start() : problem;
}

StandInRestore::~StandInRestore() {
    EXPECT_EQ("", InstallStandIn()) << "the suite's stand-in could not be put back";
}

bool MoveTo(HWND window, int left, int top, int width, int height) {
    MoveWindow(window, left, top, width, height, TRUE);
    const std::string wanted =
        std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(width) + "," + std::to_string(height);
    return WaitFor([&] { return OuterRectangle(window) == wanted; });
}

bool Minimise(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    return WaitFor([&] { return IsIconic(window) != FALSE; });
}

bool OnWorkArea(HWND window) {
    RECT work = {};
    RECT outer = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window, &outer);
    return outer.left >= work.left && outer.top >= work.top && outer.right <= work.right && outer.bottom <= work.bottom;
}

std::string MenuOutline(const std::string& exe, const char* menuName) {
    std::ostringstream out;
    HMODULE module = LoadLibraryExA((BinFolder() + "\\" + exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return "cannot load " + exe;
    }
    HMENU menu = LoadMenuA(module, menuName);
    if (menu != nullptr) {
        OutlineMenu(menu, out, 0);
        DestroyMenu(menu);
    }
    FreeLibrary(module);
    return out.str();
}

std::string DialogOutline(const std::string& exe, const char* dialogName) {
    HMODULE module = LoadLibraryExA((BinFolder() + "\\" + exe).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) {
        return "cannot load " + exe;
    }
    HRSRC resource = FindResourceA(module, dialogName, RT_DIALOG);
    const void* base = resource != nullptr ? LockResource(LoadResource(module, resource)) : nullptr;
    if (base == nullptr) {
        FreeLibrary(module);
        return std::string("no dialog ") + dialogName;
    }
    std::ostringstream out;
    TemplateReader reader(base);
    const DWORD style = reader.Take<DWORD>();
    reader.Take<DWORD>();
    const WORD controls = reader.Take<WORD>();
    const short box[4] = {reader.Take<short>(), reader.Take<short>(), reader.Take<short>(), reader.Take<short>()};
    reader.TextOrOrdinal();
    reader.TextOrOrdinal();
    out << "\"" << reader.Text() << "\"";
    if (style & DS_SETFONT) {
        const WORD points = reader.Take<WORD>();
        out << " " << points << " \"" << reader.Text() << "\"";
    }
    out << " " << box[2] << "x" << box[3] << (style & DS_MODALFRAME ? " modal" : "")
        << (style & WS_CAPTION ? " caption" : "") << (style & WS_SYSMENU ? " sysmenu" : "") << "\n";
    for (WORD i = 0; i < controls; ++i) {
        reader.AlignTo4(base);
        const DWORD itemStyle = reader.Take<DWORD>();
        reader.Take<DWORD>();
        const short place[4] = {reader.Take<short>(), reader.Take<short>(), reader.Take<short>(), reader.Take<short>()};
        const WORD id = reader.Take<WORD>();
        const std::string windowClass = reader.TextOrOrdinal();
        const std::string text = reader.TextOrOrdinal();
        const WORD extra = reader.Take<WORD>();
        for (WORD b = 0; b < extra; ++b) {
            reader.Take<BYTE>();
        }
        out << static_cast<short>(id) << " " << ControlKind(windowClass, itemStyle) << " \"" << text << "\" "
            << place[0] << "," << place[1] << "," << place[2] << "," << place[3] << "\n";
    }
    FreeLibrary(module);
    return out.str();
}

std::string VersionValue(const std::string& exe, const char* name) {
    const std::string path = BinFolder() + "\\" + exe;
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), &ignored));
    if (block.empty() || !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) {
        return "no version block";
    }
    char* value = nullptr;
    UINT length = 0;
    const std::string key = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0) {
        return "no " + key;
    }
    return value;
}

}  // namespace e2e
