// The monitor's process-wide state, alive from start-up to the end of the exit sequence.
#pragma once

#include <memory>
#include <string>

#include <windows.h>

#include "common/hourly_alerts.h"
#include "common/win32/alert_box_sink.h"
#include "common/win32/device_opener.h"
#include "common/win32/folder_lock.h"
#include "common/win32/named_lock.h"
#include "common/win32/scoped.h"
#include "common/win32/system_clock.h"
#include "monitor/driver/driver_link.h"
#include "monitor/history/history.h"
#include "monitor/program_settings.h"
#include "monitor/stats/metrics_file.h"
#include "monitor/stats/port_source.h"
#include "monitor/stats/port_tables.h"
#include "monitor/sampling/sampling_cycle.h"
#include "monitor/service/service_reader.h"
#include "monitor/win32/service_figures.h"

namespace zorvel {

struct MonitorApp {
    HINSTANCE Instance = nullptr;
    HWND MainWindow = nullptr;
    std::string StartDirectory;
    bool Simulation = false;
    DWORD PlatformId = common::kPlatformNt;
    HCURSOR ArrowCursor = nullptr;
    HCURSOR SizeCursor = nullptr;
    HCURSOR MoveCursor = nullptr;
    int CursorMode = 0;
    bool CursorPending = true;
    int StatisticCount = 0;
    ProgramSettings Settings;
    common::AlertBoxSink Alerts;
    // A metrics file that fails, works and fails again shows a box an hour.
    common::HourlyAlerts MetricsAlerts{Alerts, common::SteadyMilliseconds};
    common::FontObject GridFont;
    std::unique_ptr<PortTables> Tables;
    // What the graphs show: the history this program keeps, or the service's.
    std::unique_ptr<HistoryTables> History;
    common::Win32DeviceOpener DeviceOpener;
    common::SystemClock Clock;
    std::unique_ptr<DriverLink> Driver;
    std::unique_ptr<PortSource> Simulated;
    std::unique_ptr<SamplingCycle> Cycle;
    std::unique_ptr<MetricsPublisher> Metrics;
    common::FolderLock FolderLock;
    // In a folder that a service samples: the service's name, its figures and
    // the lock that keeps this the one window showing them.
    std::string ServiceName;
    std::unique_ptr<ServiceFigures> Figures;
    std::unique_ptr<ServiceReader> Reader;
    common::NamedLock WindowLock;
    // The session's end has saved the files; the process may be ended any time.
    bool SessionEnded = false;

    PortSource& Source() { return Simulation ? *Simulated : static_cast<PortSource&>(*Driver); }
    // The window shows a service's figures: it samples nothing and writes
    // none of the folder's files but its own view.
    bool ShowsService() const { return Reader != nullptr; }
    // Every file chooser leaves the current directory where the user went.
    void RestoreStartDirectory() const { SetCurrentDirectoryA(StartDirectory.c_str()); }
    // Work done while a file chooser is open (an hour end) must not follow the
    // chooser's current directory, so it names its files from here.
    std::string InStartDirectory(const char* name) const { return StartDirectory + "\\" + name; }
};

extern MonitorApp g_app;

// The settings and statistics saves of the exit sequence.
void SaveProgramFiles();

}  // namespace zorvel
