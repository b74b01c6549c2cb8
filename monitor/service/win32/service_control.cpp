#include "monitor/service/win32/service_control.h"

#include <cstdio>
#include <optional>
#include <vector>

#include <windows.h>

#include "common/folder_lock.h"
#include "common/paths.h"
#include "common/win32/administrator.h"
#include "common/win32/local_time.h"
#include "common/win32/folder_lock.h"
#include "common/win32/scoped.h"
#include "common/win32/system_message.h"
#include "monitor/files/settings_file.h"
#include "monitor/service/access_rule.h"
#include "monitor/service/service_status.h"
#include "monitor/service/win32/event_log.h"
#include "monitor/service/win32/file_access.h"
#include "monitor/service/win32/figures_writer.h"

namespace zorvel {
namespace {

constexpr DWORD kStateWaitMs = 30000;
constexpr DWORD kPollMs = 100;
constexpr DWORD kRestartDelayMs = 60000;
constexpr DWORD kFailureResetSeconds = 24 * 60 * 60;
constexpr DWORD kPreshutdownMs = 30000;

int Say(int code, const std::string& text) {
    std::fprintf(code == kExitDone ? stdout : stderr, "zorvel-service: %s\n", text.c_str());
    return code;
}

int Failed(const std::string& what, DWORD error) {
    return Say(kExitFailed, what + ": " + common::SystemMessage(error));
}

std::string ProgramFile() {
    std::vector<char> path(MAX_PATH * 4);
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return std::string(path.data(), length < path.size() ? length : 0);
}

std::string FullPath(const std::string& path) {
    std::vector<char> full(MAX_PATH * 4);
    const DWORD length = GetFullPathNameA(path.empty() ? "." : path.c_str(), static_cast<DWORD>(full.size()),
                                          full.data(), nullptr);
    std::string result(full.data(), length < full.size() ? length : 0);
    while (result.size() > 3 && (result.back() == '\\' || result.back() == '/')) {
        result.pop_back();
    }
    return result;
}

std::string DisplayName(const std::string& name) {
    return name == kDefaultServiceName ? kServiceDisplayName : std::string(kServiceDisplayName) + " (" + name + ")";
}

common::UniqueService OpenManager(DWORD access) {
    return common::UniqueService(OpenSCManagerA(nullptr, nullptr, access));
}

// The named service opened for `access`; none, and `error` says why, when it cannot be.
common::UniqueService OpenNamed(const std::string& name, DWORD access, DWORD& error) {
    common::UniqueService manager = OpenManager(SC_MANAGER_CONNECT);
    common::UniqueService service(manager ? OpenServiceA(manager.Get(), name.c_str(), access) : nullptr);
    error = service ? ERROR_SUCCESS : GetLastError();
    return service;
}

// The exit code and line of a command whose service could not be opened.
int NotOpened(const std::string& name, DWORD error) {
    return error == ERROR_SERVICE_DOES_NOT_EXIST ? Say(kExitRefused, "there is no service named " + name + ".")
                                                 : Failed("the service " + name + " cannot be opened", error);
}

// Waits while the service is on its way to `target`; its state when it settles.
DWORD WaitForState(SC_HANDLE service, DWORD target) {
    const DWORD start = GetTickCount();
    SERVICE_STATUS status = {};
    while (QueryServiceStatus(service, &status) && status.dwCurrentState != target &&
           GetTickCount() - start < kStateWaitMs) {
        const bool pending =
            status.dwCurrentState == SERVICE_START_PENDING || status.dwCurrentState == SERVICE_STOP_PENDING;
        if (!pending && !(target == SERVICE_STOPPED && status.dwCurrentState == SERVICE_RUNNING)) {
            break;
        }
        Sleep(kPollMs);
    }
    return status.dwCurrentState;
}

const char* StateName(DWORD state) {
    switch (state) {
        case SERVICE_STOPPED: return "stopped";
        case SERVICE_START_PENDING: return "starting";
        case SERVICE_STOP_PENDING: return "stopping";
        case SERVICE_RUNNING: return "running";
        case SERVICE_CONTINUE_PENDING: return "continuing";
        case SERVICE_PAUSE_PENDING: return "pausing";
        case SERVICE_PAUSED: return "paused";
        default: return "in an unknown state";
    }
}

// The service's own command line, as install gave it.
std::optional<ServiceOptions> InstalledOptions(SC_HANDLE service) {
    DWORD size = 0;
    QueryServiceConfigA(service, nullptr, 0, &size);
    std::vector<char> bytes(size);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(bytes.data());
    if (size == 0 || !QueryServiceConfigA(service, config, size, &size)) {
        return std::nullopt;
    }
    std::vector<std::string> words = SplitCommandLine(config->lpBinaryPathName);
    if (words.empty()) {
        return std::nullopt;
    }
    words.erase(words.begin());
    return ParseServiceCommand(words).Options;
}

std::string LocalStamp(int64_t unixTime) {
    const common::LocalTime local = common::LocalTimeAt(unixTime);
    char text[40];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", local.Year, local.Month, local.Day, local.Hour,
                  local.Minute, local.Second);
    return text;
}

// Empty when the program file, which install does not change, may only be
// written by the trusted accounts.
std::string ProgramFileProblem(const ServiceOptions& options) {
    const std::string program = ProgramFile();
    const std::optional<AccessDescription> access = DescribeAccess(program);
    if (!access) {
        return "the access list of " + program + " cannot be read";
    }
    return OthersWhoMayWrite(*access, AccountSid(options.Account), program);
}

// Gives the folder and its zorvel.ini the service's access list and judges
// them as the service will at every start.
std::string ProtectFolder(const std::string& folder, ServiceAccount account) {
    std::vector<std::string> paths{folder};
    const std::string settings = common::InFolder(folder, kSettingsFileName);
    if (GetFileAttributesA(settings.c_str()) != INVALID_FILE_ATTRIBUTES) {
        paths.push_back(settings);
    }
    for (const std::string& path : paths) {
        std::string problem = ProtectForService(path, account);
        if (!problem.empty()) {
            return "the access list of " + path + " cannot be set: " + problem;
        }
        const std::optional<AccessDescription> access = DescribeAccess(path);
        problem = access ? OthersWhoMayWrite(*access, AccountSid(account), path)
                         : "the access list of " + path + " cannot be read";
        if (!problem.empty()) {
            return problem;
        }
    }
    return {};
}

void Configure(SC_HANDLE service, const std::string& folder) {
    std::string description = "Samples the TarnelPort board's ports unattended for the folder " + folder + ".";
    SERVICE_DESCRIPTIONA text = {&description[0]};
    ChangeServiceConfig2A(service, SERVICE_CONFIG_DESCRIPTION, &text);

    SC_ACTION restarts[3] = {{SC_ACTION_RESTART, kRestartDelayMs},
                             {SC_ACTION_RESTART, kRestartDelayMs},
                             {SC_ACTION_RESTART, kRestartDelayMs}};
    SERVICE_FAILURE_ACTIONSA failures = {};
    failures.dwResetPeriod = kFailureResetSeconds;
    failures.cActions = 3;
    failures.lpsaActions = restarts;
    ChangeServiceConfig2A(service, SERVICE_CONFIG_FAILURE_ACTIONS, &failures);

    SERVICE_PRESHUTDOWN_INFO preshutdown = {kPreshutdownMs};
    ChangeServiceConfig2A(service, SERVICE_CONFIG_PRESHUTDOWN_INFO, &preshutdown);

    SERVICE_DELAYED_AUTO_START_INFO delayed = {TRUE};
    if (!ChangeServiceConfig2A(service, SERVICE_CONFIG_DELAYED_AUTO_START_INFO, &delayed)) {
        Say(kExitDone, "this system does not take a delayed automatic start (" + common::SystemMessage(GetLastError()) +
                           "); the service starts with the system instead.");
    }
}

}  // namespace

int InstallCommand(const ServiceOptions& given) {
    if (!common::IsAdministrator()) {
        return Say(kExitRefused, "install needs an administrator's command prompt; nothing was changed.");
    }
    ServiceOptions options = given;
    options.Folder = FullPath(given.Folder);
    const DWORD attributes = GetFileAttributesA(options.Folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return Say(kExitRefused, "there is no folder " + options.Folder + "; nothing was changed.");
    }
    common::UniqueService manager = OpenManager(SC_MANAGER_CONNECT | SC_MANAGER_CREATE_SERVICE);
    if (!manager) {
        return Failed("the service manager cannot be opened", GetLastError());
    }
    if (common::UniqueService(OpenServiceA(manager.Get(), options.Name.c_str(), SERVICE_QUERY_STATUS))) {
        return Say(kExitRefused, "a service named " + options.Name + " already exists; nothing was changed.");
    }
    {
        common::FolderLock probe;
        if (probe.Take(options.Folder, common::kServiceKind) == common::LockState::Held) {
            return Say(kExitRefused, common::MonitorHeldText(probe.Holder()) + " Nothing was changed.");
        }
    }
    if (options.FolderCheck) {
        std::string problem = ProgramFileProblem(options);
        if (problem.empty()) {
            problem = ProtectFolder(options.Folder, options.Account);
        }
        if (!problem.empty()) {
            return Say(kExitRefused, problem +
                                         " The service runs the programs zorvel.ini names with its own rights; put "
                                         "the programs where only administrators may write, or install with "
                                         "--no-folder-check where the site manages the access itself.");
        }
    }
    const std::string program = ProgramFile();
    const std::string runLine = ServiceRunLine(program, options);
    common::UniqueService service(CreateServiceA(
        manager.Get(), options.Name.c_str(), DisplayName(options.Name).c_str(), SERVICE_ALL_ACCESS,
        SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START, SERVICE_ERROR_NORMAL, runLine.c_str(), nullptr, nullptr,
        nullptr, AccountName(options.Account), nullptr));
    if (!service) {
        return Failed("the service cannot be registered", GetLastError());
    }
    Configure(service.Get(), options.Folder);
    const std::string problem = AddEventSource(options.Name, program);
    if (!problem.empty()) {
        Say(kExitDone, "its event source cannot be registered (" + problem + "); Event Viewer will not show its texts.");
    }
    if (!::StartServiceA(service.Get(), 0, nullptr)) {
        return Failed("the service " + options.Name + " is installed but cannot be started", GetLastError());
    }
    const DWORD state = WaitForState(service.Get(), SERVICE_RUNNING);
    if (state != SERVICE_RUNNING) {
        return Say(kExitFailed, "the service " + options.Name + " is installed but " + StateName(state) +
                                    "; its event in the Application log says why.");
    }
    return Say(kExitDone, "the service " + options.Name + " samples " + options.Folder +
                              (options.Simulated ? " on the simulated source." : "."));
}

int UninstallCommand(const ServiceOptions& options) {
    if (!common::IsAdministrator()) {
        return Say(kExitRefused, "uninstall needs an administrator's command prompt; nothing was changed.");
    }
    DWORD error = ERROR_SUCCESS;
    common::UniqueService service = OpenNamed(options.Name, SERVICE_STOP | SERVICE_QUERY_STATUS | DELETE, error);
    if (!service) {
        return NotOpened(options.Name, error);
    }
    SERVICE_STATUS status = {};
    if (ControlService(service.Get(), SERVICE_CONTROL_STOP, &status) &&
        WaitForState(service.Get(), SERVICE_STOPPED) != SERVICE_STOPPED) {
        return Say(kExitFailed, "the service " + options.Name + " did not stop; it is still installed.");
    }
    if (!DeleteService(service.Get()) && GetLastError() != ERROR_SERVICE_MARKED_FOR_DELETE) {
        return Failed("the service cannot be removed", GetLastError());
    }
    RemoveEventSource(options.Name);
    return Say(kExitDone, "the service " + options.Name + " is removed; its folder's files stay where they are.");
}

int StartCommand(const ServiceOptions& options) {
    DWORD error = ERROR_SUCCESS;
    common::UniqueService service = OpenNamed(options.Name, SERVICE_START | SERVICE_QUERY_STATUS, error);
    if (!service) {
        return NotOpened(options.Name, error);
    }
    if (!::StartServiceA(service.Get(), 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING) {
        return Failed("the service " + options.Name + " cannot be started", GetLastError());
    }
    const DWORD state = WaitForState(service.Get(), SERVICE_RUNNING);
    if (state != SERVICE_RUNNING) {
        return Say(kExitFailed, "the service " + options.Name + " is " + StateName(state) +
                                    "; its event in the Application log says why.");
    }
    return Say(kExitDone, "the service " + options.Name + " is running.");
}

int StopCommand(const ServiceOptions& options) {
    DWORD error = ERROR_SUCCESS;
    common::UniqueService service = OpenNamed(options.Name, SERVICE_STOP | SERVICE_QUERY_STATUS, error);
    if (!service) {
        return NotOpened(options.Name, error);
    }
    SERVICE_STATUS status = {};
    if (!ControlService(service.Get(), SERVICE_CONTROL_STOP, &status) && GetLastError() != ERROR_SERVICE_NOT_ACTIVE) {
        return Failed("the service " + options.Name + " cannot be stopped", GetLastError());
    }
    const DWORD state = WaitForState(service.Get(), SERVICE_STOPPED);
    if (state != SERVICE_STOPPED) {
        return Say(kExitFailed, "the service " + options.Name + " is still " + StateName(state) + ".");
    }
    return Say(kExitDone, "the service " + options.Name + " has stopped; its figures are saved.");
}

int StatusCommand(const ServiceOptions& options) {
    DWORD error = ERROR_SUCCESS;
    common::UniqueService service = OpenNamed(options.Name, SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG, error);
    if (!service) {
        return NotOpened(options.Name, error);
    }
    SERVICE_STATUS status = {};
    if (!QueryServiceStatus(service.Get(), &status)) {
        return Failed("the service's state cannot be read", GetLastError());
    }
    const std::optional<ServiceOptions> installed = InstalledOptions(service.Get());
    const std::optional<ServiceStatus> published =
        status.dwCurrentState == SERVICE_RUNNING ? ReadServiceStatus(options.Name) : std::nullopt;
    std::fputs(StatusReport(options.Name, StateName(status.dwCurrentState),
                            installed ? installed->Folder : std::string("(not one of this program's services)"),
                            published ? &*published : nullptr, published ? LocalStamp(published->LastSample) : "")
                   .c_str(),
               stdout);
    return kExitDone;
}

}  // namespace zorvel
