#include "tools/win32/standin_service.h"

#include <algorithm>
#include <vector>

#include <windows.h>

#include "common/driver_connection.h"
#include "common/win32/device_opener.h"
#include "common/win32/scoped.h"
#include "tools/standin/si_config.h"

namespace standin {
namespace {

constexpr DWORD kStateWaitMs = 15000;
constexpr DWORD kPollMs = 50;
constexpr int kMaxDrainReplies = 64;

std::string Failed(const char* what, DWORD error) {
    return std::string(what) + " failed, error " + std::to_string(error);
}

std::string Failed(const char* what) {
    return Failed(what, GetLastError());
}

common::UniqueService OpenManager() {
    return common::UniqueService(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
}

// Waits while the service is on its way to `target`; an error when it settles elsewhere or takes too long.
std::string WaitForState(SC_HANDLE service, DWORD target) {
    const DWORD start = GetTickCount();
    for (;;) {
        SERVICE_STATUS status = {};
        if (!QueryServiceStatus(service, &status)) {
            return Failed("QueryServiceStatus");
        }
        if (status.dwCurrentState == target) {
            return "";
        }
        const bool pending =
            status.dwCurrentState == SERVICE_START_PENDING || status.dwCurrentState == SERVICE_STOP_PENDING;
        if (!pending) {
            return "the service settled in state " + std::to_string(status.dwCurrentState) + ", exit code " +
                   std::to_string(status.dwWin32ExitCode);
        }
        if (GetTickCount() - start > kStateWaitMs) {
            return "the service did not reach state " + std::to_string(target) + " within " +
                   std::to_string(kStateWaitMs) + " ms";
        }
        Sleep(kPollMs);
    }
}

std::string ServiceKeyPath() {
    return std::string("System\\CurrentControlSet\\Services\\") + kServiceName;
}

bool ServiceKeyExists() {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ServiceKeyPath().c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return false;
    }
    const common::UniqueRegistryKey key(opened);
    return true;
}

// Deleting only marks a service while something still holds it; a new one of
// the same name can be created once it is gone, its registry key with it.
std::string WaitUntilGone(SC_HANDLE manager) {
    const DWORD start = GetTickCount();
    for (;;) {
        common::UniqueService service(OpenServiceA(manager, kServiceName, SERVICE_QUERY_STATUS));
        if (!service) {
            const DWORD error = GetLastError();
            if (error != ERROR_SERVICE_DOES_NOT_EXIST) {
                return Failed("OpenServiceA", error);
            }
            if (!ServiceKeyExists()) {
                return "";
            }
        }
        if (GetTickCount() - start > kStateWaitMs) {
            return "the service was still there " + std::to_string(kStateWaitMs) + " ms after its removal";
        }
        Sleep(kPollMs);
    }
}

std::string SetValues(const Settings& settings) {
    HKEY opened = nullptr;
    LONG error = RegOpenKeyExA(HKEY_LOCAL_MACHINE, ServiceKeyPath().c_str(), 0, KEY_SET_VALUE, &opened);
    if (error != ERROR_SUCCESS) {
        return Failed("RegOpenKeyExA", static_cast<DWORD>(error));
    }
    const common::UniqueRegistryKey owned(opened);
    HKEY key = owned.Get();
    auto setDword = [key](const char* name, DWORD value) {
        return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    };
    auto setText = [key](const char* name, const std::string& value) {
        return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>(value.size() + 1));
    };
    error = setDword("Ports", settings.Ports);
    if (error == ERROR_SUCCESS) {
        error = setDword("Seed", settings.Seed);
    }
    if (error == ERROR_SUCCESS) {
        error = setText("Links", settings.Links);
    }
    if (error == ERROR_SUCCESS) {
        error = settings.Names.empty() ? ERROR_SUCCESS : setText("PortNames", settings.Names);
    }
    return error == ERROR_SUCCESS ? "" : Failed("RegSetValueExA", static_cast<DWORD>(error));
}

// System32 as this program reaches it: a 32-bit program on a 64-bit Windows
// is sent to SysWOW64 under that name, and reaches the real one as Sysnative.
std::string NativeSystemFolder() {
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    std::vector<char> folder(MAX_PATH * 4);
    const UINT size = static_cast<UINT>(folder.size());
    const UINT length =
        wow64 ? GetSystemWindowsDirectoryA(folder.data(), size) : GetSystemDirectoryA(folder.data(), size);
    return std::string(folder.data(), length < size ? length : 0) + (wow64 ? "\\Sysnative" : "");
}

std::string DriverCopy() {
    return NativeSystemFolder() + "\\drivers\\" + kDriverFile;
}

// Wine marks a service that a 32-bit program creates as a 32-bit one and
// hosts its driver in the 32-bit device host, which cannot load a 64-bit
// driver. The system's own sc.exe, run natively, creates a native service.
std::string NativeServiceTool() {
    return NativeSystemFolder() + "\\sc.exe";
}

std::string RunQuietly(const std::string& program, std::string commandLine) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    common::UniqueFile nul(
        CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul.Get();
    startup.hStdOutput = nul.Get();
    startup.hStdError = nul.Get();
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info)) {
        return Failed(("starting " + program).c_str());
    }
    common::UniqueKernelObject process(info.hProcess);
    common::UniqueKernelObject thread(info.hThread);
    if (WaitForSingleObject(process.Get(), kStateWaitMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get(), 1);
        return program + " did not end within " + std::to_string(kStateWaitMs) + " ms";
    }
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    return code == 0 ? "" : program + " ended with code " + std::to_string(code);
}

// A driver in a folder that every user may change would run their code in the kernel.
std::string CopyDriver(const std::string& driverPath) {
    std::vector<char> full(MAX_PATH * 4);
    const DWORD length = GetFullPathNameA(driverPath.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size()) {
        return Failed("GetFullPathNameA");
    }
    if (GetFileAttributesA(full.data()) == INVALID_FILE_ATTRIBUTES) {
        return std::string("no driver file ") + full.data();
    }
    const std::string copy = DriverCopy();
    if (!CopyFileA(full.data(), copy.c_str(), FALSE)) {
        return Failed(("copying the driver to " + copy).c_str());
    }
    // A read-only source gives a read-only copy, which remove could not delete.
    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
    return "";
}

std::string DeleteDriverCopy() {
    const std::string copy = DriverCopy();
    if (!DeleteFileA(copy.c_str())) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
            return Failed(("deleting " + copy).c_str(), error);
        }
    }
    return "";
}

// The image path is the system's own, whatever folder this program reaches it through.
std::string Create() {
    const std::string sc = NativeServiceTool();
    return RunQuietly(sc, "\"" + sc + "\" create " + kServiceName +
                              " type= kernel start= demand error= normal DisplayName= \"TarnelPort stand-in driver\"" +
                              " binpath= \"\\SystemRoot\\System32\\drivers\\" + kDriverFile + "\"");
}

std::string Unregister() {
    common::UniqueService manager = OpenManager();
    if (!manager) {
        return Failed("OpenSCManagerA");
    }
    {
        common::UniqueService service(OpenServiceA(manager.Get(), kServiceName, DELETE));
        if (!service) {
            const DWORD error = GetLastError();
            return error == ERROR_SERVICE_DOES_NOT_EXIST ? "" : Failed("OpenServiceA", error);
        }
        if (!DeleteService(service.Get()) && GetLastError() != ERROR_SERVICE_MARKED_FOR_DELETE) {
            return Failed("DeleteService");
        }
    }
    return WaitUntilGone(manager.Get());
}

// One exchange; appends the reply text and tells whether the reply was full.
std::string Exchange(common::DriverConnection& driver, std::vector<uint8_t>& buffer, std::string& reply, bool& full) {
    if (!driver.Trace(buffer.data())) {
        return Failed("DeviceIoControl", driver.LastError());
    }
    uint32_t count = 0;
    std::copy_n(buffer.begin() + 4, sizeof count, reinterpret_cast<uint8_t*>(&count));
    // A claimed count beyond the text area is the stand-in's own "count N".
    const uint32_t text = count < TP_TRACE_TEXT_ROOM ? count : TP_TRACE_TEXT_ROOM;
    reply.append(reinterpret_cast<const char*>(buffer.data()) + TP_HEADER_SIZE, text);
    full = count == TP_TRACE_TEXT_ROOM;
    return "";
}

}  // namespace

std::string CheckSettings(const Settings& settings) {
    SiConfig config;
    si_config_defaults(&config);
    const char* problem = si_config_set_ports(&config, settings.Ports);
    if (problem == nullptr && !settings.Names.empty()) {
        problem = si_config_set_names(&config, settings.Names.data(), static_cast<uint32_t>(settings.Names.size()));
    }
    if (problem == nullptr) {
        problem = si_config_set_links(&config, settings.Links.data(), static_cast<uint32_t>(settings.Links.size()));
    }
    return problem == nullptr ? "" : problem;
}

std::string Install(const Settings& settings, const std::string& driverPath) {
    std::string problem = CheckSettings(settings);
    if (problem.empty()) {
        problem = Remove();
    }
    if (!problem.empty()) {
        return problem;
    }
    problem = CopyDriver(driverPath);
    if (problem.empty()) {
        problem = Create();
    }
    if (problem.empty()) {
        problem = SetValues(settings);
    }
    if (problem.empty()) {
        problem = Start();
    }
    // Half an installation would only be in the next one's way.
    if (!problem.empty()) {
        Remove();
    }
    return problem;
}

std::string Start() {
    common::UniqueService manager = OpenManager();
    if (!manager) {
        return Failed("OpenSCManagerA");
    }
    common::UniqueService service(OpenServiceA(manager.Get(), kServiceName, SERVICE_START | SERVICE_QUERY_STATUS));
    if (!service) {
        return Failed("OpenServiceA");
    }
    if (!StartServiceA(service.Get(), 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING) {
        return Failed("StartServiceA");
    }
    return WaitForState(service.Get(), SERVICE_RUNNING);
}

std::string Stop() {
    common::UniqueService manager = OpenManager();
    if (!manager) {
        return Failed("OpenSCManagerA");
    }
    common::UniqueService service(OpenServiceA(manager.Get(), kServiceName, SERVICE_STOP | SERVICE_QUERY_STATUS));
    if (!service) {
        const DWORD error = GetLastError();
        return error == ERROR_SERVICE_DOES_NOT_EXIST ? "" : Failed("OpenServiceA", error);
    }
    SERVICE_STATUS status = {};
    if (!ControlService(service.Get(), SERVICE_CONTROL_STOP, &status) && GetLastError() != ERROR_SERVICE_NOT_ACTIVE) {
        return Failed("ControlService");
    }
    return WaitForState(service.Get(), SERVICE_STOPPED);
}

std::string Remove() {
    std::string problem = Stop();
    if (problem.empty()) {
        problem = Unregister();
    }
    return problem.empty() ? DeleteDriverCopy() : problem;
}

std::string Send(const std::string& link, const std::string& line, std::string& reply) {
    reply.clear();
    common::Win32DeviceOpener opener;
    common::DriverConnection driver(opener, common::kPlatformNt,
                                    {common::kAccessReadWrite, common::kShareReadWrite, 0, 0});
    const bool opened = link.empty() ? driver.Open(common::kNtDevicePath) || driver.Open(common::kKorvexDevicePath)
                                     : driver.Open(("\\\\.\\" + link).c_str());
    if (!opened) {
        const std::string path = link.empty() ? std::string("\\\\.\\tarnel or \\\\.\\korvexa") : "\\\\.\\" + link;
        return Failed(("opening " + path).c_str(), driver.LastError());
    }
    if (line.size() + 2 > TP_TRACE_TEXT_ROOM) {
        return "command line too long";
    }
    // As the trace viewer does: an 11,000-byte block, 10,100 bytes exchanged.
    std::vector<uint8_t> buffer(11000);
    std::copy(line.begin(), line.end(), buffer.begin() + TP_HEADER_SIZE);
    if (!line.empty()) {
        buffer[TP_HEADER_SIZE + line.size()] = '\r';
    }
    bool full = false;
    std::string problem = Exchange(driver, buffer, reply, full);
    // A long answer, such as "ports" on many ports, comes in several replies.
    for (int i = 0; problem.empty() && full && i < kMaxDrainReplies; ++i) {
        buffer[TP_HEADER_SIZE] = '\0';
        problem = Exchange(driver, buffer, reply, full);
    }
    return problem;
}

}  // namespace standin
