// zorvel-service: the monitor as a Windows service, and the commands that
// install, start, stop, query and remove it.
#include <cstdio>
#include <string>
#include <vector>

#include "monitor/service/service_options.h"
#include "monitor/service/win32/service_control.h"
#include "monitor/service/win32/service_run.h"

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    const zorvel::ParsedServiceCommand command = zorvel::ParseServiceCommand(words);
    if (!command.Options) {
        std::fprintf(stderr, "zorvel-service: %s\n%s", command.Error.c_str(), zorvel::ServiceUsage().c_str());
        return zorvel::kExitRefused;
    }
    const zorvel::ServiceOptions& options = *command.Options;
    switch (options.Verb) {
        case zorvel::ServiceVerb::Install: return zorvel::InstallCommand(options);
        case zorvel::ServiceVerb::Uninstall: return zorvel::UninstallCommand(options);
        case zorvel::ServiceVerb::Start: return zorvel::StartCommand(options);
        case zorvel::ServiceVerb::Stop: return zorvel::StopCommand(options);
        case zorvel::ServiceVerb::Status: return zorvel::StatusCommand(options);
        case zorvel::ServiceVerb::Run: return zorvel::RunService(options);
    }
    return zorvel::kExitFailed;
}
