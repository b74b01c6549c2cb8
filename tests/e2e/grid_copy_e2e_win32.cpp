// Ctrl+C in the grid, pressed as a user presses it, and what a spreadsheet would paste.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "resources/zorvel_ids.h"
#include "tests/e2e/harness_win32.h"

namespace {

// Through the system's input, so that the monitor's thread finds Ctrl down
// when it reads the C; posted key messages carry no key state.
bool PressCtrlC(HWND window) {
    SetForegroundWindow(window);
    if (!e2e::WaitFor([window] { return GetForegroundWindow() == window; })) {
        return false;
    }
    INPUT keys[4] = {};
    const WORD codes[] = {VK_CONTROL, 'C', 'C', VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    return SendInput(4, keys, sizeof keys[0]) == 4;
}

// False until the clipboard holds text and is free: the monitor may still have
// it open for a moment after putting the text there.
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

TEST(GridCopy, CtrlCWithNoRowSelectedCopiesTheHeaderAndEveryPortTabSeparated) {
    e2e::Program monitor(e2e::kMonitor, "-F", e2e::FreshFolder());
    HWND window = monitor.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(OpenClipboard(nullptr));
    const bool emptied = EmptyClipboard() != FALSE;
    CloseClipboard();
    ASSERT_TRUE(emptied);

    ASSERT_TRUE(PressCtrlC(window)) << "the monitor's window did not come to the front";
    std::string text;
    ASSERT_TRUE(e2e::WaitFor([&text] { return ReadClipboardText(text); })) << "no text on the clipboard";
    e2e::PostCommand(window, IDM_EXIT);
    ASSERT_TRUE(monitor.WaitExit());

    // The default view's device column and 56 statistics; the simulated ports COM5 to COM36.
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(33u, lines.size()) << text;
    EXPECT_EQ(0u, lines[0].find("Device\t")) << lines[0];
    EXPECT_EQ(0u, lines[1].find("COM5\t")) << lines[1];
    EXPECT_EQ(0u, lines[32].find("COM36\t")) << lines[32];
    for (const std::string& line : lines) {
        EXPECT_TRUE(!line.empty() && line.back() == '\r') << "no CR LF after " << line;
        EXPECT_EQ(56, e2e::Occurrences(line, "\t")) << line;
    }
}

}  // namespace
