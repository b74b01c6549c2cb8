#include "monitor/service/win32/service_run.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include <windows.h>

#include <sddl.h>

#include "common/disk_space.h"
#include "common/folder_lock.h"
#include "common/paths.h"
#include "common/win32/ansi_text.h"
#include "common/win32/device_opener.h"
#include "common/win32/free_disk.h"
#include "common/win32/folder_lock.h"
#include "common/win32/scoped.h"
#include "common/win32/system_clock.h"
#include "common/win32/system_info.h"
#include "monitor/about_text.h"
#include "monitor/driver/driver_link.h"
#include "monitor/driver/simulated_source.h"
#include "monitor/files/settings_file.h"
#include "monitor/service/monitor_service.h"
#include "monitor/service/win32/event_log.h"
#include "monitor/service/win32/file_access.h"
#include "monitor/service/win32/service_reports.h"
#include "monitor/service/win32/command_pipe.h"
#include "monitor/service/win32/figures_writer.h"

namespace zorvel {
namespace {

// Saving calcs.dat, zorvel.ini and the metrics file takes well under a second;
// a slow disk or a virus scanner's retries are given room.
constexpr DWORD kStartWaitHintMs = 10000;
constexpr DWORD kStopWaitHintMs = 30000;
// Service-specific exit codes: what the event log says in words.
constexpr DWORD kExitFolderUnsafe = 1;
constexpr DWORD kExitFolderHeld = 2;

struct ServiceRun {
    ServiceOptions Options;
    SERVICE_STATUS_HANDLE Handle = nullptr;
    SERVICE_STATUS Status = {};
    common::UniqueKernelObject StopEvent;
};
ServiceRun g_run;

void Report(DWORD state, DWORD waitHint = 0, DWORD specificExit = 0) {
    SERVICE_STATUS& status = g_run.Status;
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_PRESHUTDOWN : 0;
    status.dwWin32ExitCode = specificExit != 0 ? ERROR_SERVICE_SPECIFIC_ERROR : NO_ERROR;
    status.dwServiceSpecificExitCode = specificExit;
    status.dwWaitHint = waitHint;
    status.dwCheckPoint = state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING ? status.dwCheckPoint + 1 : 0;
    SetServiceStatus(g_run.Handle, &status);
}

DWORD WINAPI Control(DWORD control, DWORD, void*, void*) {
    switch (control) {
        case SERVICE_CONTROL_STOP:
        case SERVICE_CONTROL_PRESHUTDOWN:
            Report(SERVICE_STOP_PENDING, kStopWaitHintMs);
            SetEvent(g_run.StopEvent.Get());
            return NO_ERROR;
        case SERVICE_CONTROL_INTERROGATE: return NO_ERROR;
        default: return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

std::string ProgramFile() {
    std::vector<char> path(MAX_PATH * 4);
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::string(path.data(), length < path.size() ? length : 0);
}

// Empty when only the trusted accounts and the service's may change what the
// service runs programs from; otherwise why not.
std::string FolderProblem(const std::string& folder, const std::string& serviceSid) {
    const std::string settings = common::InFolder(folder, kSettingsFileName);
    std::vector<std::string> paths{folder, ProgramFile()};
    if (GetFileAttributesA(settings.c_str()) != INVALID_FILE_ATTRIBUTES) {
        paths.push_back(settings);
    }
    for (const std::string& path : paths) {
        const std::optional<AccessDescription> access = DescribeAccess(path);
        if (!access) {
            return "The access list of " + path + " cannot be read.";
        }
        const std::string problem = OthersWhoMayWrite(*access, serviceSid, path);
        if (!problem.empty()) {
            return problem;
        }
    }
    return {};
}

std::string ServiceSid() {
    // The service manager starts it under the account install gave it.
    common::UniqueKernelObject token;
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &opened)) {
        return AccountSid(ServiceAccount::LocalService);
    }
    token.Reset(opened);
    std::vector<char> bytes(256);
    DWORD size = 0;
    if (!GetTokenInformation(token.Get(), TokenUser, bytes.data(), static_cast<DWORD>(bytes.size()), &size)) {
        return AccountSid(ServiceAccount::LocalService);
    }
    const auto* user = reinterpret_cast<const TOKEN_USER*>(bytes.data());
    char* text = nullptr;
    std::string sid = AccountSid(ServiceAccount::LocalService);
    if (ConvertSidToStringSidA(user->User.Sid, &text)) {
        sid = text;
        LocalFree(text);
    }
    return sid;
}

// The service's run once the folder is its own: sample until told to stop.
void Sample(const std::string& folder, const std::string& serviceSid, ServiceLog& log) {
    if (common::EnoughFreeSpace(common::FreeDiskBytes(folder))) {
        CreateDirectoryA(common::InFolder(folder, "REPORTS").c_str(), nullptr);
    }
    std::unique_ptr<PortTables> tables = CreatePortTables();
    common::Win32DeviceOpener opener;
    DriverLink driver(opener, common::PlatformId(), *tables);
    SimulatedSource simulated(*tables);
    common::SystemClock clock;
    ServiceReportEnvironment reports(folder, log);
    ServiceSystem system{clock,
                         log,
                         reports,
                         [&folder] { return common::FreeDiskBytes(folder); },
                         [&clock] { return clock.UnixSeconds(); },
                         common::SteadyMilliseconds,
                         common::AnsiToUtf8,
                         common::Utf8ToAnsi,
                         [&driver] { driver.Close(); }};
    PortSource& source = g_run.Options.Simulated ? static_cast<PortSource&>(simulated) : driver;
    MonitorService service(folder, *tables, source, system);
    FiguresWriter figures(g_run.Options.Name, serviceSid);
    CommandPipe commands(g_run.Options.Name);
    const CommandPipe::Handler answer = [&](const DecodedRequest& request) {
        switch (request.Code) {
            case RequestCode::Reset: service.Reset(request.Reset); break;
            case RequestCode::Settings: service.ChangeSettings(request.Settings); break;
            case RequestCode::TestHour:
            case RequestCode::TestDay: {
                reports.Forget();
                const int status = service.Test(request.Code == RequestCode::TestHour, request.Settings);
                return MakeReply(ReplyOutcome::Done, status, reports.FailedCommand(), reports.Reason());
            }
        }
        return MakeReply(ReplyOutcome::Done);
    };

    service.Start();
    figures.Publish(service, true);
    log.Write(StartedEvent(folder, g_run.Options.Simulated, kMonitorVersion));
    Report(SERVICE_RUNNING);

    const HANDLE events[] = {g_run.StopEvent.Get(), commands.Event()};
    const DWORD eventCount = commands.Event() != nullptr ? 2 : 1;
    uint64_t next = common::SteadyMilliseconds() + service.PeriodMs();
    for (;;) {
        const uint64_t now = common::SteadyMilliseconds();
        const DWORD wait = next > now ? static_cast<DWORD>(next - now) : 0;
        const DWORD woken = WaitForMultipleObjects(eventCount, events, FALSE, wait);
        if (woken == WAIT_OBJECT_0 + 1) {
            // A change shows in the figures at once, not a tick later.
            commands.Serve(answer);
            figures.Publish(service, true);
            continue;
        }
        if (woken != WAIT_TIMEOUT) {
            break;
        }
        service.Tick();
        figures.Publish(service, true);
        // A tick held up (a slow disk at an hour end) is not made up for.
        next = std::max(next + service.PeriodMs(), common::SteadyMilliseconds());
    }
    Report(SERVICE_STOP_PENDING, kStopWaitHintMs);
    service.Stop();
    figures.Publish(service, false);
    driver.Close();
}

void WINAPI ServiceMain(DWORD, LPSTR*) {
    const ServiceOptions& options = g_run.Options;
    g_run.Handle = RegisterServiceCtrlHandlerExA(options.Name.c_str(), Control, nullptr);
    if (g_run.Handle == nullptr) {
        return;
    }
    g_run.StopEvent.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    Report(SERVICE_START_PENDING, kStartWaitHintMs);
    EventLogWriter log(options.Name);
    const std::string& folder = options.Folder;
    const std::string serviceSid = ServiceSid();
    if (options.FolderCheck) {
        const std::string problem = FolderProblem(folder, serviceSid);
        if (!problem.empty()) {
            log.Write(MakeEvent(EventKind::FolderUnsafe,
                                problem + " The service runs the programs that zorvel.ini names, so it does not start "
                                          "while others may change them."));
            Report(SERVICE_STOPPED, 0, kExitFolderUnsafe);
            return;
        }
    } else {
        log.Write(MakeEvent(EventKind::FolderUnchecked, "The service does not check who may write to " + folder +
                                                            ", zorvel.ini or its program file (--no-folder-check)."));
    }
    common::FolderLock lock;
    if (lock.Take(folder, common::kServiceKind, options.Name) == common::LockState::Held) {
        log.Write(MakeEvent(EventKind::FolderHeld,
                            "The service does not start for " + folder + ": " + common::MonitorHeldText(lock.Holder())));
        Report(SERVICE_STOPPED, 0, kExitFolderHeld);
        return;
    }
    SetCurrentDirectoryA(folder.c_str());
    Sample(folder, serviceSid, log);
    log.Write(StoppedEvent(folder));
    lock.Release();
    Report(SERVICE_STOPPED);
}

}  // namespace

int RunService(const ServiceOptions& options) {
    g_run.Options = options;
    std::vector<char> name(options.Name.begin(), options.Name.end());
    name.push_back('\0');
    SERVICE_TABLE_ENTRYA table[] = {{name.data(), ServiceMain}, {nullptr, nullptr}};
    if (!StartServiceCtrlDispatcherA(table)) {
        std::fprintf(stderr, "zorvel-service: \"run\" is for the service manager; use \"start\" to start the service.\n");
        return kExitFailed;
    }
    return kExitDone;
}

}  // namespace zorvel
