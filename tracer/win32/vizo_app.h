// The trace viewer's process-wide state, alive from start-up to the end of the process.
#pragma once

#include <memory>

#include <windows.h>

#include "common/hourly_alerts.h"
#include "common/win32/alert_box_sink.h"
#include "common/win32/device_opener.h"
#include "common/win32/named_lock.h"
#include "common/win32/system_clock.h"
#include "tracer/start_options.h"
#include "tracer/trace_channel.h"
#include "tracer/trace_cycle.h"
#include "tracer/trace_screen.h"
#include "tracer/win32/window_canvas.h"

namespace vizo {

struct VizoApp {
    HMENU Menu = nullptr;
    StartOptions Options;
    common::Win32DeviceOpener DeviceOpener;
    common::AlertBoxSink Alerts;
    // A driver that comes and goes shows its box once an hour.
    common::HourlyAlerts DriverAlerts{Alerts, common::SteadyMilliseconds};
    TraceBuffer Buffer;
    std::unique_ptr<TraceChannel> Channel;
    TraceScreen Screen;
    std::unique_ptr<WindowCanvas> Canvas;  // while the main window exists
    std::unique_ptr<TraceCycle> Cycle;
    common::NamedLock DriverLock;
    // The session's end has saved vizo.ini and closed the log.
    bool SessionEnded = false;
};

extern VizoApp g_app;

}  // namespace vizo
