// Ctrl+C in the grid, pressed as a user presses it, and what a spreadsheet would paste.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/zorvel_ids.h"
#include "tests/e2e/harness_win32.h"

namespace {

using e2e::kMonitor;

// Through the system's input, so that the monitor's thread finds Ctrl down
// when it reads the C; posted key messages carry no key state.
bool PressCtrlC(HWND window) {
    SetForegroundWindow(window);
    if (!e2e::WaitFor([window] { return GetForegroundWindow() == window; })) {
        return false;
    }
    const WORD codes[] = {VK_CONTROL, 'C', 'C', VK_CONTROL};
    INPUT keys[4] = {};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    return SendInput(4, keys, sizeof keys[0]) == 4;
}

bool EmptyTheClipboard() {
    if (!OpenClipboard(nullptr)) {
        return false;
    }
    const bool emptied = EmptyClipboard() != FALSE;
    CloseClipboard();
    return emptied;
}

// The clipboard's text once it has some; the monitor may still hold the
// clipboard open for a moment after putting it there.
bool ReadClipboardText(std::string& text) {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(nullptr)) {
        return false;
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* bytes = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (bytes != nullptr) {
        text = bytes;
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes != nullptr;
}

// The lines of `text` that end in CR LF; text after the last CR LF is left out.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0, end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(GridCopy, CtrlCWithNoRowSelectedCopiesTheHeaderAndEveryPortTabSeparated) {
    const std::string folder = e2e::FreshFolder();
    e2e::Program monitor(kMonitor, "-F", folder);
    HWND window = monitor.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(EmptyTheClipboard());

    ASSERT_TRUE(PressCtrlC(window)) << "the monitor's window did not come to the front";
    std::string text;
    ASSERT_TRUE(e2e::WaitFor([&text] { return ReadClipboardText(text); })) << "no text on the clipboard";
    e2e::PostCommand(window, IDM_EXIT);
    ASSERT_TRUE(monitor.WaitExit());

    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(33u, lines.size()) << text;
    EXPECT_EQ(0u, lines[0].find("Device\t")) << lines[0];
    EXPECT_EQ(0u, lines[1].find("COM5\t")) << lines[1];
    EXPECT_EQ(0u, lines[32].find("COM36\t")) << lines[32];
    const int fields = e2e::Occurrences(lines[0], "\t") + 1;
    EXPECT_EQ(57, fields) << "the default view's 56 columns and the device column";
    for (const std::string& line : lines) {
        EXPECT_EQ(fields, e2e::Occurrences(line, "\t") + 1) << line;
    }
}

}  // namespace
