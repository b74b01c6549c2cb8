// The trace viewer's entry: options, the first exchange with the driver, the window and the message loop.
#include <cstdio>

#include <windows.h>

#include "common/folder_lock.h"
#include "common/win32/dialogs.h"
#include "common/win32/system_info.h"
#include "tracer/about_text.h"
#include "tracer/win32/main_window.h"
#include "tracer/win32/vizo_app.h"

namespace vizo {

VizoApp g_app;

int RunTracer(HINSTANCE instance, const char* commandLine, int showState) {
    g_app.Options = ScanCommandLine(commandLine);
    if (g_app.Options.ShowOptions) {
        MessageBoxA(nullptr, kOptionsText, "", MB_OK);
        return 0;
    }
    if (!RegisterMainWindowClass(instance)) {
        return 0;
    }
    g_app.Menu = LoadMenuA(instance, kMenuName);

    const DriverKind kind = DriverKindFromDirectory(common::CurrentDirectory());
    g_app.Channel = std::make_unique<TraceChannel>(g_app.DeviceOpener, common::PlatformId(), kind, g_app.DriverAlerts);
    if (!g_app.Channel->OpenIfNeeded()) {
        common::AlertBox("%s", kNoDriverText);
        return 0;
    }
    // Before the first exchange: a second viewer would drain the trace queue
    // that the first one shows and logs.
    if (!g_app.DriverLock.Take(common::TracerLockName(g_app.Channel->DevicePath()), true, kWindowClass,
                               common::TracerHeldText)) {
        return 0;
    }
    // What the first exchange brings back is not shown.
    g_app.Buffer.SetRequest("");
    uint32_t returned = 0;
    if (g_app.Channel->Exchange(g_app.Buffer, returned) != kExchangeOk) {
        common::AlertBox("%s", kNoDriverText);
        return 0;
    }
    g_app.Cycle = std::make_unique<TraceCycle>(*g_app.Channel, g_app.Buffer, g_app.Screen, g_app.Options.TickTrace,
                                               stdout, g_app.Alerts);
    g_app.Cycle->OnReconnect(WriteBannerNow);

    HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, nullptr,
                                  g_app.Menu, instance, nullptr);
    if (window == nullptr) {
        return 0;
    }
    ShowWindow(window, showState);

    common::RunMessageLoop();
    return 0;
}

}  // namespace vizo

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showState) {
    return vizo::RunTracer(instance, commandLine, showState);
}
