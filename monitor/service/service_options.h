// zorvel-service's command line, and the one the service manager starts it with.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zorvel {

constexpr const char* kDefaultServiceName = "TarnelPortMonitor";
constexpr const char* kServiceDisplayName = "TarnelPort Monitor";

enum class ServiceVerb { Install, Uninstall, Start, Stop, Status, Run };
enum class ServiceAccount { LocalService, LocalSystem };

struct ServiceOptions {
    ServiceVerb Verb = ServiceVerb::Status;
    std::string Folder;  // install: empty for the current folder
    std::string Name = kDefaultServiceName;
    bool Simulated = false;
    bool FolderCheck = true;
    ServiceAccount Account = ServiceAccount::LocalService;
};

enum ServiceExit : int { kExitDone = 0, kExitRefused = 1, kExitFailed = 2 };

struct ParsedServiceCommand {
    std::optional<ServiceOptions> Options;
    std::string Error;  // with no options: what was wrong, for the usage text
};

// The words after the program's name. Each verb takes only its own options.
ParsedServiceCommand ParseServiceCommand(const std::vector<std::string>& words);

// What the program prints for a command it cannot take.
std::string ServiceUsage();

// The service's own command line as the service manager keeps it: the
// program, "run" and what install was given, folder made absolute by the caller.
std::string ServiceRunLine(const std::string& program, const ServiceOptions& options);

// A command line split into words as the C runtime splits it (quotes group,
// backslashes are kept as they are before anything but a quote).
std::vector<std::string> SplitCommandLine(const std::string& line);

// The account's name as the service manager takes it.
const char* AccountName(ServiceAccount account);

}  // namespace zorvel
