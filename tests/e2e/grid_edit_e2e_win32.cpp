// Editing the grid with the mouse, the popup menu and the Column Setup dialog.
#include <gtest/gtest.h>

#include <colordlg.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "monitor/stats/port_tables.h"
#include "monitor/stats/statistics_file.h"
#include "resources/zorvel_ids.h"
#include "tests/e2e/harness_win32.h"
#include "tests/e2e/line_height_win32.h"

namespace {

using e2e::kMonitor;

// Four columns of 16 units in a window that keeps clear of the pointer's corner.
constexpr char kFourColumns[] =
    "[program]\r\nwindow=20,20,700,420\r\n"
    "[CellW]\r\nInput=40\r\nWidth=16\r\n"
    "[CellX]\r\nInput=7\r\nWidth=16\r\nColor0=1,2,3\r\nColor1=4,5,6\r\n"
    "[CellY]\r\nInput=8\r\nWidth=16\r\n"
    "[CellZ]\r\nInput=11\r\nWidth=16\r\n";

// Client pixels of the grid laid out from kFourColumns.
struct Grid {
    int L = e2e::LineHeight();
    int Left(int column) const { return column == 0 ? 0 : 3 * L + (column - 1) * 4 * L; }
    int Right(int column) const { return column == 0 ? 3 * L : Left(column) + 4 * L; }
    int MiddleX(int column) const { return (Left(column) + Right(column)) / 2; }
    int MiddleY(int row) const { return row * (L + 4) + (L + 4) / 2; }
};

// The position goes with a mouse move first: the monitor takes it from there.
void Mouse(HWND window, UINT message, int x, int y) {
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageA(window, message, 0, MAKELPARAM(x, y));
}

void PostKey(HWND window, WPARAM key) {
    PostMessageA(window, WM_KEYDOWN, key, 0);
    PostMessageA(window, WM_KEYUP, key, 0);
}

// Right click on a cell, then the popup's item at `position` (from 1) by keyboard.
void ChooseFromPopup(e2e::Program& monitor, HWND window, int x, int y, int position) {
    Mouse(window, WM_RBUTTONDOWN, x, y);
    Mouse(window, WM_RBUTTONUP, x, y);
    HWND popup = monitor.WaitWindow("#32768", "");
    ASSERT_NE(nullptr, popup);
    for (int i = 0; i < position; ++i) {
        PostKey(popup, VK_DOWN);
    }
    PostKey(popup, VK_RETURN);
    ASSERT_TRUE(e2e::WaitClosed(popup)) << "the popup stayed open";
}

struct GridEdit : ::testing::Test {
    std::string folder = e2e::FreshFolder();
    Grid grid;

    void SetUp() override {
        SetCursorPos(1279, 1023);
        e2e::WriteFileBytes(folder + "\\zorvel.vew", kFourColumns);
    }
    std::string View() const { return e2e::ReadFileBytes(folder + "\\zorvel.vew"); }
};

std::string Sections(const std::string& view) {
    std::string names;
    for (size_t at = view.find("[Cell"); at != std::string::npos; at = view.find("[Cell", at + 1)) {
        names += view.substr(at + 5, view.find(']', at) - at - 5) + " ";
    }
    return names;
}

// The lines of one column's section of a view file.
std::string Section(const std::string& view, const std::string& name) {
    const size_t start = view.find("[Cell" + name + "]\r\n");
    if (start == std::string::npos) {
        return "no section " + name;
    }
    const size_t body = view.find('\n', start) + 1;
    return view.substr(body, view.find("\r\n\r\n", body) - body);
}

TEST(ColumnSetup, TheTemplateHasEveryControlInTabOrder) {
    EXPECT_EQ(
        "\"Column Setup\" 8 \"Helv\" 200x150 modal caption sysmenu\n"
        "1 default-push-button \"&OK\" 10,130,50,14\n"
        "2 push-button \"&Cancel\" 70,130,50,14\n"
        "194 push-button \"&Help\" 130,130,50,14\n"
        "-1 right-label \"Input:\" 5,10,30,12\n"
        "153 drop-down-list-scrolled \"\" 40,10,125,80\n"
        "-1 right-label \"&Type:\" 5,25,30,12\n"
        "150 drop-down-list-scrolled \"\" 40,25,100,80\n"
        "-1 right-label \"&Name:\" 5,45,30,12\n"
        "154 bordered-edit \"\" 40,45,125,15\n"
        "-1 right-label \"&Width:\" 5,65,30,12\n"
        "155 bordered-edit \"\" 40,65,65,15\n"
        "156 owner-drawn-button \"Color0\" 40,85,50,14\n"
        "157 owner-drawn-button \"Color1\" 40,105,50,14\n",
        e2e::DialogOutline(kMonitor.Exe, "CELLDLG"));
}

TEST_F(GridEdit, AHeaderDraggedOntoAnotherAndAnEdgeDraggedRightAreSavedInTheViewFile) {
    e2e::Program monitor(kMonitor, "-F", folder);
    HWND window = monitor.WaitMainWindow();
    ASSERT_NE(nullptr, window);

    // W onto Y: W lands just before Y.
    Mouse(window, WM_LBUTTONDOWN, grid.MiddleX(1), grid.MiddleY(0));
    Mouse(window, WM_LBUTTONUP, grid.MiddleX(3), grid.MiddleY(0));
    // X, now first, grabbed 3 pixels inside its right edge and dropped 2.5 line
    // heights further right, over W: +10 units.
    const int grip = grid.Right(1) - 3;
    Mouse(window, WM_LBUTTONDOWN, grip, grid.MiddleY(2));
    Mouse(window, WM_LBUTTONUP, grip + grid.L * 5 / 2, grid.MiddleY(2));
    e2e::PostCommand(window, IDM_EXIT);
    ASSERT_TRUE(monitor.WaitExit());

    const std::string view = View();
    EXPECT_EQ("X W Y Z ", Sections(view)) << view;
    const int widened = 16 + (grid.L * 5 / 2) * 4 / grid.L;
    EXPECT_EQ("Input=7\r\nWidth=" + std::to_string(widened) + "\r\nColor0=1,2,3\r\nColor1=4,5,6", Section(view, "X"))
        << "line height " << grid.L;
    EXPECT_EQ("Input=40\r\nWidth=16", Section(view, "W"));
}

TEST_F(GridEdit, AddOnACellOpensColumnSetupAndOkPutsTheEditedColumnAfterIt) {
    e2e::Program monitor(kMonitor, "-F", folder);
    HWND window = monitor.WaitMainWindow();
    ASSERT_NE(nullptr, window);

    ChooseFromPopup(monitor, window, grid.MiddleX(2), grid.MiddleY(1), 4);  // Remove Properties Reset Add
    HWND dialog = monitor.WaitDialog("Column Setup");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("Errors", e2e::ControlText(dialog, IDC_CELL_NAME));
    EXPECT_EQ("12", e2e::ControlText(dialog, IDC_CELL_WIDTH));

    HWND inputs = GetDlgItem(dialog, IDC_CELL_INPUT);
    SendMessageA(inputs, CB_SETCURSEL, 6, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CELL_INPUT, CBN_SELCHANGE), reinterpret_cast<LPARAM>(inputs));
    EXPECT_EQ("TxTotal", e2e::ControlText(dialog, IDC_CELL_NAME));
    SetDlgItemTextA(dialog, IDC_CELL_NAME, "Sent so far");
    SetDlgItemTextA(dialog, IDC_CELL_WIDTH, "25x");
    SendDlgItemMessageA(dialog, IDC_CELL_TYPE, CB_SETCURSEL, 3, 0);
    e2e::PressButton(dialog, IDOK);
    ASSERT_TRUE(e2e::WaitClosed(dialog));
    e2e::PostCommand(window, IDM_EXIT);
    ASSERT_TRUE(monitor.WaitExit());

    const std::string view = View();
    EXPECT_EQ("W X Sent so far Y Z ", Sections(view)) << view;
    EXPECT_EQ("Input=7\r\nWidth=25\r\nType=3", Section(view, "Sent so far"));
}

TEST_F(GridEdit, CancelAfterAddKeepsTheNewErrorsColumnAndADeviceCellOffersResetAndAdd) {
    e2e::Program monitor(kMonitor, "-F", folder);
    HWND window = monitor.WaitMainWindow();
    ASSERT_NE(nullptr, window);

    ChooseFromPopup(monitor, window, grid.MiddleX(0), grid.MiddleY(2), 2);  // Reset Add
    HWND dialog = monitor.WaitDialog("Column Setup");
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, IDC_CELL_NAME, "not kept");
    e2e::PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(e2e::WaitClosed(dialog));
    e2e::PostCommand(window, IDM_EXIT);
    ASSERT_TRUE(monitor.WaitExit());

    const std::string view = View();
    EXPECT_EQ("Errors W X Y Z ", Sections(view)) << view;
    EXPECT_EQ("Input=11\r\nWidth=12", Section(view, "Errors"));
}

// Sets a colour in the colour chooser through its (hidden) red, green and blue fields.
void ChooseColour(e2e::Program& monitor, const char* red, const char* green, const char* blue) {
    HWND chooser = monitor.WaitDialog("Color");
    ASSERT_NE(nullptr, chooser);
    SetDlgItemTextA(chooser, COLOR_RED, red);
    SetDlgItemTextA(chooser, COLOR_GREEN, green);
    SetDlgItemTextA(chooser, COLOR_BLUE, blue);
    e2e::PressButton(chooser, IDOK);
    ASSERT_TRUE(e2e::WaitClosed(chooser));
}

// The screen colour of a colour button's face beside its caption, once it is
// `expected` or the wait is over.
COLORREF ButtonFace(HWND button, COLORREF expected) {
    COLORREF seen = CLR_INVALID;
    e2e::WaitFor([&] {
        RECT rect;
        GetWindowRect(button, &rect);
        HDC screen = GetDC(nullptr);
        seen = GetPixel(screen, rect.left + 6, (rect.top + rect.bottom) / 2);
        ReleaseDC(nullptr, screen);
        return seen == expected;
    });
    return seen;
}

TEST_F(GridEdit, PropertiesShowsTheColumnAndAColourReachesItOnlyThroughOk) {
    e2e::Program monitor(kMonitor, "-F", folder);
    HWND window = monitor.WaitMainWindow();
    ASSERT_NE(nullptr, window);

    ChooseFromPopup(monitor, window, grid.MiddleX(2), grid.MiddleY(3), 2);
    HWND dialog = monitor.WaitDialog("Column Setup");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("X", e2e::ControlText(dialog, IDC_CELL_NAME));
    EXPECT_EQ("16", e2e::ControlText(dialog, IDC_CELL_WIDTH));
    EXPECT_EQ(6, SendDlgItemMessageA(dialog, IDC_CELL_INPUT, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(56, SendDlgItemMessageA(dialog, IDC_CELL_INPUT, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendDlgItemMessageA(dialog, IDC_CELL_TYPE, CB_GETCURSEL, 0, 0));
    EXPECT_EQ(4, SendDlgItemMessageA(dialog, IDC_CELL_TYPE, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(RGB(1, 2, 3), ButtonFace(GetDlgItem(dialog, IDC_CELL_COLOR0), RGB(1, 2, 3)));
    EXPECT_EQ(RGB(4, 5, 6), ButtonFace(GetDlgItem(dialog, IDC_CELL_COLOR1), RGB(4, 5, 6)));
    e2e::PressButton(dialog, IDC_CELL_COLOR0);
    ChooseColour(monitor, "200", "10", "20");
    EXPECT_EQ(RGB(200, 10, 20), ButtonFace(GetDlgItem(dialog, IDC_CELL_COLOR0), RGB(200, 10, 20)));
    e2e::SaveScreenshot(folder + "\\column-setup.bmp");
    e2e::PressButton(dialog, IDCANCEL);
    ASSERT_TRUE(e2e::WaitClosed(dialog));

    ChooseFromPopup(monitor, window, grid.MiddleX(2), grid.MiddleY(0), 2);
    dialog = monitor.WaitDialog("Column Setup");
    ASSERT_NE(nullptr, dialog);
    e2e::PressButton(dialog, IDC_CELL_COLOR1);
    ChooseColour(monitor, "0", "128", "255");
    e2e::PressButton(dialog, IDOK);
    ASSERT_TRUE(e2e::WaitClosed(dialog));
    e2e::PostCommand(window, IDM_EXIT);
    ASSERT_TRUE(monitor.WaitExit());

    EXPECT_EQ("Input=7\r\nWidth=16\r\nColor0=1,2,3\r\nColor1=0,128,255", Section(View(), "X"));
}

// calcs.dat with carrier runs counted for the first four ports; the simulated
// source never raises carrier, so only a reset changes them.
void SeedCarrierRuns(const std::string& folder) {
    zorvel::StatsRecord records[zorvel::kPortSlots] = {};
    const uint32_t runs[] = {77, 88, 99, 55};
    for (int port = 0; port < 4; ++port) {
        records[port].CDRuns = runs[port];
    }
    e2e::WriteFileBytes(folder + "\\calcs.dat", std::string(reinterpret_cast<const char*>(records), sizeof records));
}

std::string CarrierRuns(const std::string& folder) {
    const std::string bytes = e2e::ReadFileBytes(folder + "\\calcs.dat");
    if (bytes.size() != zorvel::kStatisticsFileSize) {
        return "calcs.dat of " + std::to_string(bytes.size()) + " bytes";
    }
    std::string runs;
    for (int port = 0; port < 4; ++port) {
        zorvel::StatsRecord record;
        std::memcpy(&record, bytes.data() + port * sizeof record, sizeof record);
        runs += std::to_string(record.CDRuns) + " ";
    }
    return runs;
}

void AnswerQuestion(e2e::Program& monitor, const char* question, int button) {
    HWND box = monitor.WaitDialog("TarnelPort Monitor");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(question, e2e::ControlText(box, e2e::kMessageBoxTextId));
    e2e::PressButton(box, button);
    ASSERT_TRUE(e2e::WaitClosed(box));
}

TEST_F(GridEdit, ResetClearsACellAtOnceAndAColumnOrAPortOnlyAfterYes) {
    SeedCarrierRuns(folder);
    e2e::Program monitor(kMonitor, "-F", folder);
    HWND window = monitor.WaitMainWindow();
    ASSERT_NE(nullptr, window);

    ChooseFromPopup(monitor, window, grid.MiddleX(1), grid.MiddleY(2), 3);  // W of the second port
    ChooseFromPopup(monitor, window, grid.MiddleX(1), grid.MiddleY(0), 3);
    AnswerQuestion(monitor, "Reset Column?", IDNO);
    ChooseFromPopup(monitor, window, grid.MiddleX(0), grid.MiddleY(3), 1);
    AnswerQuestion(monitor, "Reset Port?", IDYES);
    ChooseFromPopup(monitor, window, grid.MiddleX(4), grid.MiddleY(0), 1);  // Remove Z
    e2e::PostCommand(window, IDM_EXIT);
    ASSERT_TRUE(monitor.WaitExit());

    EXPECT_EQ("77 0 0 55 ", CarrierRuns(folder));
    EXPECT_EQ("W X Y ", Sections(View()));
}

}  // namespace

namespace {

TEST_F(GridEdit, AGraphOpensFromTheEditMenuAndThePopupShowsMinutesAndKeepsThemAcrossARestart) {
    e2e::WriteFileBytes(folder + "\\zorvel.ini", "[program]\r\nUpdateTime=1\r\n[metrics]\r\nFile=zorvel.prom\r\n");
    const std::string metrics = folder + "\\zorvel.prom";
    {
        e2e::Program monitor(kMonitor, "-F", folder);
        HWND window = monitor.WaitMainWindow();
        ASSERT_NE(nullptr, window);
        e2e::PostCommand(window, IDM_GRAPH);
        HWND first = monitor.WaitWindow("ZorvelGraph", "Graph - COM5");
        ASSERT_NE(nullptr, first) << "no row clicked: the first port";
        // The metrics file is written at every minute end: the first (a
        // baseline for the history) and the next one, which closes a minute.
        ASSERT_TRUE(e2e::WaitFor([&] { return e2e::FileExists(metrics); }));
        const long long firstEnd = e2e::WriteTime(metrics);
        ASSERT_TRUE(e2e::WaitFor([&] { return e2e::WriteTime(metrics) != firstEnd; }, 90000));
        EXPECT_TRUE(e2e::WaitFor([&] { return e2e::GraphShowsPoints(first); })) << "the closed minute drawn";

        ChooseFromPopup(monitor, window, grid.MiddleX(0), grid.MiddleY(2), 3);
        EXPECT_NE(nullptr, monitor.WaitWindow("ZorvelGraph", "Graph - COM6")) << "Graph on the second port's row";
        EXPECT_EQ(std::vector<std::string>{}, monitor.Exit(window));
    }
    EXPECT_NE(std::string::npos, e2e::ReadFileBytes(folder + "\\zorvel.ini").find("[graph]\r\nwindow="));
    e2e::Program monitor(kMonitor, "-F", folder);
    HWND window = monitor.WaitMainWindow();
    ASSERT_NE(nullptr, window);
    e2e::PostCommand(window, IDM_GRAPH);
    HWND graph = monitor.WaitWindow("ZorvelGraph", "Graph - COM5");
    ASSERT_NE(nullptr, graph);
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::GraphShowsPoints(graph); })) << "the minute kept in history.dat";
    EXPECT_EQ(std::vector<std::string>{}, monitor.Exit(window));
}

}  // namespace
