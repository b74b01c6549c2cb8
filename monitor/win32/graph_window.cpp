#include "monitor/win32/graph_window.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/win32/clipboard.h"
#include "common/win32/local_time.h"
#include "common/win32/scoped.h"
#include "common/win32/window_rectangle.h"
#include "monitor/grid/grid_copy.h"
#include "monitor/history/graph_plan.h"
#include "monitor/win32/monitor_app.h"
#include "resources/zorvel_ids.h"

namespace zorvel {
namespace {

constexpr const char* kGraphClass = "ZorvelGraph";
constexpr COLORREF kTxColour = RGB(0, 70, 200);
constexpr COLORREF kRxColour = RGB(0, 140, 60);
constexpr COLORREF kErrorColour = RGB(210, 0, 0);
constexpr COLORREF kNoCarrierShade = RGB(255, 243, 228);
constexpr COLORREF kGapShade = RGB(228, 228, 228);
constexpr COLORREF kRuleColour = RGB(210, 210, 210);

// Room for the rate labels on the left, the time labels below and two lines of text above.
constexpr int kLeftMargin = 64;
constexpr int kRightMargin = 12;
constexpr int kTopMargin = 40;
constexpr int kBottomMargin = 22;
constexpr int kFigureLine = 20;  // the second line of text: the pointer's figure, or the legend

struct GraphState {
    int Port = 0;
    GraphRange Range = GraphRange::Day;
    int PointerX = -1;  // -1 while the pointer is elsewhere
    bool TracksLeave = false;
    // What the last paint drew: a moving pointer repaints from it, and it is
    // worked out again only when the figures, the range or the size change.
    std::vector<GraphPoint> Points;
    GraphPlan Plan;
    PlotArea Area{};
    GraphRange PlannedRange{};
    int64_t PlannedClockMinute = -1;
    uint32_t PlannedMinute = 0;
};

GraphState* StateOf(HWND window) {
    return reinterpret_cast<GraphState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

std::string PortNameOf(int port) {
    return PortName(g_app.Tables->Names.Slots[port]);
}

PlotArea AreaOf(const RECT& client) {
    return {client.left + kLeftMargin, client.top + kTopMargin, client.right - kRightMargin,
            client.bottom - kBottomMargin};
}

// True when the plan was worked out again.
bool PlanFor(GraphState& state, const RECT& client) {
    const int64_t now = g_app.Clock.UnixSeconds();
    const PlotArea area = AreaOf(client);
    const uint32_t minute = g_app.History->Header.LastMinute;
    if (state.PlannedClockMinute == now / 60 && state.PlannedMinute == minute && state.PlannedRange == state.Range &&
        state.Area.Left == area.Left && state.Area.Top == area.Top && state.Area.Right == area.Right &&
        state.Area.Bottom == area.Bottom) {
        return false;
    }
    state.Points = GraphPoints(*g_app.History, state.Port, state.Range, now);
    state.Plan = PlanGraph(state.Points, state.Range, area, LocalClock(common::LocalTimeAt));
    state.Area = area;
    state.PlannedRange = state.Range;
    state.PlannedClockMinute = now / 60;
    state.PlannedMinute = minute;
    return true;
}

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    SetDCBrushColor(dc, colour);
    const RECT area{left, top, right, bottom};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Text(HDC dc, int x, int y, const std::string& text, COLORREF colour, UINT align = TA_LEFT | TA_TOP) {
    SetTextColor(dc, colour);
    SetTextAlign(dc, align);
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

// Each run of a line in one call; a point alone between gaps is drawn as a
// short dash, not left out.
void Line(HDC dc, const std::vector<std::vector<PlotPoint>>& runs, COLORREF colour) {
    const common::UniqueHandle<common::GdiTraits<HPEN>> pen(CreatePen(PS_SOLID, 1, colour));
    const common::ScopedSelection withPen(dc, pen.Get());
    std::vector<POINT> points;
    for (const auto& run : runs) {
        points.clear();
        for (const PlotPoint& p : run) {
            points.push_back({p.X, p.Y});
        }
        if (run.size() == 1) {
            points.push_back({run[0].X + 2, run[0].Y});
        }
        Polyline(dc, points.data(), static_cast<int>(points.size()));
    }
}

std::string Figures(const GraphPoint& point) {
    if (!point.Data) {
        return "no data";
    }
    return "transmit " + RateText(point.Tx) + "/s, receive " + RateText(point.Rx) + "/s, " +
           std::to_string(point.Errors) + (point.Errors == 1 ? " error" : " errors") + ", carrier " +
           (point.Carrier ? "on" : "off");
}

std::string Stamp(int64_t unixSeconds) {
    return StampText(common::LocalTimeAt(unixSeconds));
}

COLORREF ColourOf(BandKind kind) {
    switch (kind) {
        case BandKind::Gap: return kGapShade;
        case BandKind::NoCarrier: return kNoCarrierShade;
        case BandKind::Carrier: return GetSysColor(COLOR_WINDOW);
    }
    return GetSysColor(COLOR_WINDOW);
}

// Each pixel is filled once: the margins, then the area's bands.
void Draw(HDC dc, const RECT& client, const GraphState& state) {
    const std::vector<GraphPoint>& points = state.Points;
    const PlotArea& area = state.Area;
    const GraphPlan& plan = state.Plan;
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    if (area.Right <= area.Left + 2 || area.Bottom <= area.Top + 2) {
        Fill(dc, client.left, client.top, client.right, client.bottom, window);
        return;
    }
    Fill(dc, client.left, client.top, client.right, area.Top, window);
    Fill(dc, client.left, area.Bottom, client.right, client.bottom, window);
    Fill(dc, client.left, area.Top, area.Left, area.Bottom, window);
    Fill(dc, area.Right, area.Top, client.right, area.Bottom, window);
    for (const Band& band : plan.Bands) {
        Fill(dc, band.Left, area.Top, band.Right, area.Bottom, ColourOf(band.Kind));
    }
    SetBkMode(dc, TRANSPARENT);
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const common::ScopedSelection withFont(dc, font);
    for (const AxisLabel& label : plan.RateLabels) {
        Fill(dc, area.Left, label.At, area.Right, label.At + 1, kRuleColour);
        Text(dc, area.Left - 4, label.At, label.Text, RGB(0, 0, 0), TA_RIGHT | TA_BASELINE);
    }
    for (const AxisLabel& label : plan.TimeLabels) {
        Fill(dc, label.At, area.Top, label.At + 1, area.Bottom, kRuleColour);
        Text(dc, label.At, area.Bottom + 3, label.Text, RGB(0, 0, 0), TA_CENTER | TA_TOP);
    }
    for (int x : plan.ErrorMarks) {
        Fill(dc, x - 1, area.Bottom - 6, x + 2, area.Bottom, kErrorColour);
    }
    Line(dc, plan.Rx, kRxColour);
    Line(dc, plan.Tx, kTxColour);

    // The latest figure, and the one under the pointer.
    const auto latest = std::find_if(points.rbegin(), points.rend(), [](const GraphPoint& p) { return p.Data; });
    Text(dc, client.left + 6, client.top + 4,
         latest == points.rend() ? std::string("No figures in this range yet.")
                                 : "Latest, " + Stamp(latest->Time) + ": " + Figures(*latest),
         RGB(0, 0, 0));
    const int under = PointAt(points.size(), area, state.PointerX);
    if (under >= 0) {
        const GraphPoint& point = points[static_cast<size_t>(under)];
        Text(dc, client.left + 6, client.top + kFigureLine, "At " + Stamp(point.Time) + ": " + Figures(point),
             RGB(0, 0, 0));
        Fill(dc, state.PointerX, area.Top, state.PointerX + 1, area.Bottom, RGB(120, 120, 120));
    } else {
        Text(dc, client.left + 6, client.top + kFigureLine, "Transmit", kTxColour);
        Text(dc, client.left + 70, client.top + kFigureLine, "Receive", kRxColour);
    }
}

void ShowRange(HWND window, GraphState& state) {
    const int ids[] = {IDM_RANGE_HOUR, IDM_RANGE_DAY, IDM_RANGE_WEEK, IDM_RANGE_MONTH};
    for (int i = 0; i < 4; ++i) {
        CheckMenuItem(GetMenu(window), static_cast<UINT>(ids[i]),
                      MF_BYCOMMAND | (static_cast<int>(state.Range) == i + 1 ? MF_CHECKED : MF_UNCHECKED));
    }
    g_app.Settings.Graph.Range = static_cast<int>(state.Range);
    InvalidateRect(window, nullptr, FALSE);
}

void Copy(HWND window, GraphState& state) {
    RECT client;
    GetClientRect(window, &client);
    // The window shows what the copy holds.
    if (PlanFor(state, client)) {
        InvalidateRect(window, nullptr, FALSE);
    }
    const common::ScopedDC screen(window);
    const common::MemoryDC memory(CreateCompatibleDC(screen.Get()));
    common::UniqueHandle<common::GdiTraits<HBITMAP>> picture(
        CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    if (memory && picture) {
        const common::ScopedSelection into(memory.Get(), picture.Get());
        Draw(memory.Get(), client, state);
    } else {
        picture.Reset();
    }
    // The points go even when the system had no room for the picture.
    if (!common::PutClipboardPictureAndText(window, picture.Detach(),
                                            PointsAsText(state.Points, LocalClock(common::LocalTimeAt)))) {
        g_app.Alerts.Alert(kCopyFailedText);
    }
}

LRESULT OnPaint(HWND window) {
    GraphState* state = StateOf(window);
    RECT client;
    GetClientRect(window, &client);
    // A new plan is drawn whole, never only in the strips a moving pointer asks for.
    if (state != nullptr && PlanFor(*state, client)) {
        InvalidateRect(window, nullptr, FALSE);
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (state != nullptr) {
        Draw(dc, client, *state);
    }
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnKey(HWND window, WPARAM key) {
    GraphState* state = StateOf(window);
    if (state == nullptr) {
        return 0;
    }
    if (key >= '1' && key <= '4') {
        state->Range = static_cast<GraphRange>(key - '0');
        ShowRange(window, *state);
    } else if (key == 'C' && GetKeyState(VK_CONTROL) < 0) {
        Copy(window, *state);
    }
    return 0;
}

LRESULT OnCommand(HWND window, WPARAM wParam) {
    GraphState* state = StateOf(window);
    const int id = LOWORD(wParam);
    if (state != nullptr && id >= IDM_RANGE_HOUR && id <= IDM_RANGE_MONTH) {
        state->Range = static_cast<GraphRange>(id - IDM_RANGE_HOUR + 1);
        ShowRange(window, *state);
    }
    return 0;
}

// Only the line of the pointer's figure and the pointer's old and new
// columns are drawn again: a pointer sweeping a maximised graph would
// otherwise repaint all of it at every step.
void MovePointer(HWND window, GraphState& state, int x) {
    const PlotArea& area = state.Area;
    RECT figure;
    GetClientRect(window, &figure);
    figure.top += kFigureLine;
    figure.bottom = area.Top;
    InvalidateRect(window, &figure, FALSE);
    for (const int column : {state.PointerX, x}) {
        if (column >= 0) {
            const RECT line{column, area.Top, column + 1, area.Bottom};
            InvalidateRect(window, &line, FALSE);
        }
    }
    state.PointerX = x;
}

LRESULT OnMouseMove(HWND window, LPARAM lParam) {
    GraphState* state = StateOf(window);
    const int x = static_cast<short>(LOWORD(lParam));
    if (state == nullptr || x == state->PointerX) {
        return 0;
    }
    MovePointer(window, *state, x);
    if (!state->TracksLeave) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        state->TracksLeave = TrackMouseEvent(&track) != FALSE;
    }
    return 0;
}

// The figure under the pointer goes with the pointer.
LRESULT OnMouseLeave(HWND window) {
    GraphState* state = StateOf(window);
    if (state != nullptr) {
        state->TracksLeave = false;
        MovePointer(window, *state, -1);
    }
    return 0;
}

// The last graph to close leaves its place for the next one to open.
LRESULT OnDestroy(HWND window) {
    std::unique_ptr<GraphState> state(StateOf(window));
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (const auto recorded = common::RecordedRectangle(window)) {
        g_app.Settings.Graph.Window = *recorded;
    }
    return 0;
}

LRESULT CALLBACK GraphProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: return OnPaint(window);
        case WM_ERASEBKGND: return 1;
        case WM_SIZE: InvalidateRect(window, nullptr, FALSE); return 0;
        case WM_KEYDOWN: return OnKey(window, wParam);
        case WM_COMMAND: return OnCommand(window, wParam);
        case WM_MOUSEMOVE: return OnMouseMove(window, lParam);
        case WM_MOUSELEAVE: return OnMouseLeave(window);
        case WM_DESTROY: return OnDestroy(window);
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool IsGraph(HWND window) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, kGraphClass) == 0;
}

// By the port's slot, which its history is kept under, whatever its name is now.
struct GraphQuery {
    int Port;
    HWND Found;
};

BOOL CALLBACK MatchGraph(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<GraphQuery*>(parameter);
    const GraphState* state = IsGraph(window) ? StateOf(window) : nullptr;
    if (state != nullptr && state->Port == query->Port) {
        query->Found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CloseIfGraph(HWND window, LPARAM) {
    if (IsGraph(window)) {
        DestroyWindow(window);
    }
    return TRUE;
}

BOOL CALLBACK StopAtGraph(HWND window, LPARAM found) {
    if (IsGraph(window)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK RepaintIfNewer(HWND window, LPARAM) {
    const GraphState* state = IsGraph(window) ? StateOf(window) : nullptr;
    if (state != nullptr && state->PlannedMinute != g_app.History->Header.LastMinute) {
        InvalidateRect(window, nullptr, FALSE);
    }
    return TRUE;
}

}  // namespace

bool RegisterGraphClass(HINSTANCE instance) {
    WNDCLASSA graph = {};
    graph.style = CS_HREDRAW | CS_VREDRAW;
    graph.lpfnWndProc = GraphProc;
    graph.hInstance = instance;
    graph.hIcon = LoadIconA(instance, "zorvel");
    graph.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    graph.lpszClassName = kGraphClass;
    return RegisterClassA(&graph) != 0;
}

void OpenGraph(int port) {
    if (g_app.History == nullptr || port < 0 || port >= CountPorts(g_app.Tables->Names)) {
        return;
    }
    if (g_app.ShowsService()) {
        g_app.Figures->TakeHistory(*g_app.History);
    }
    GraphQuery query{port, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchGraph, reinterpret_cast<LPARAM>(&query));
    if (query.Found != nullptr) {
        ShowWindow(query.Found, IsIconic(query.Found) ? SW_RESTORE : SW_SHOW);
        SetForegroundWindow(query.Found);
        return;
    }
    GraphSettings& settings = g_app.Settings.Graph;
    auto state = std::make_unique<GraphState>();
    state->Port = port;
    state->Range = static_cast<GraphRange>(settings.Range);
    HWND window = CreateWindowExA(0, kGraphClass, ("Graph - " + PortNameOf(port)).c_str(), WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 720, 400, nullptr,
                                  LoadMenuA(g_app.Instance, kGraphClass), g_app.Instance, nullptr);
    if (window == nullptr) {
        return;
    }
    // From now on the file keeps the graphs' place and range.
    settings.Present = true;
    GraphState& kept = *state;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
    common::MoveToRememberedRectangle(window, settings.Window);
    ShowRange(window, kept);
    ShowWindow(window, SW_SHOW);
}

void CloseGraphs() {
    EnumThreadWindows(GetCurrentThreadId(), CloseIfGraph, 0);
}

bool AnyGraphOpen() {
    bool found = false;
    EnumThreadWindows(GetCurrentThreadId(), StopAtGraph, reinterpret_cast<LPARAM>(&found));
    return found;
}

void RefreshGraphs() {
    if (g_app.History != nullptr) {
        EnumThreadWindows(GetCurrentThreadId(), RepaintIfNewer, 0);
    }
}

}  // namespace zorvel
