// standin_ctl: installs, starts, stops and removes the stand-in driver, and
// sends it one command line through the trace request, printing the reply.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <windows.h>

#include "common/win32/administrator.h"
#include "tools/win32/standin_service.h"

namespace {

const char kUsage[] =
    "usage: standin_ctl install [--ports N] [--names A,B,...] [--links tarnel,korvexa] [--seed N] [--driver FILE]\n"
    "       standin_ctl start | stop | remove\n"
    "       standin_ctl send [--link NAME] [WORD...]   (no words: fetch the pending trace text)\n"
    "install removes an earlier installation first and copies the driver into the system's driver folder;\n"
    "remove stops the driver and deletes its service and that copy.\n"
    "install, start, stop and remove need an administrator's command prompt; send does not.\n"
    "send joins the words into one command line; \"send help\" lists the driver's commands.\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

// Asked once before a step that changes the system, so that a missing right is
// said as such and not as the first call it happens to stop.
bool MayChangeTheSystem(const char* doing) {
    if (common::IsAdministrator()) {
        return true;
    }
    std::fprintf(stderr,
                 "standin_ctl: %s the stand-in needs administrator rights: run this from an administrator's command "
                 "prompt\n",
                 doing);
    return false;
}

int Report(const std::string& problem, const std::string& done) {
    if (!problem.empty()) {
        std::fprintf(stderr, "standin_ctl: %s\n", problem.c_str());
        return 1;
    }
    if (!done.empty()) {
        std::printf("%s\r\n", done.c_str());
    }
    return 0;
}

bool ParseNumber(const char* text, uint32_t& value) {
    char* end = nullptr;
    const unsigned long number = std::strtoul(text, &end, 10);
    if (*text < '0' || *text > '9' || *end != '\0' || number > 0xFFFFFFFFul) {
        return false;
    }
    value = static_cast<uint32_t>(number);
    return true;
}

// An x86 or x64 program emulated on ARM64 is told of an Intel machine by
// GetNativeSystemInfo. IsWow64Process2 tells the truth, from Windows 10 1511 on.
bool RunsOnArm64() {
    using IsWow64Process2Function = BOOL(WINAPI*)(HANDLE, USHORT*, USHORT*);
    const auto isWow64Process2 = reinterpret_cast<IsWow64Process2Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process2")));
    USHORT process = 0;
    USHORT native = 0;
    return isWow64Process2 != nullptr && isWow64Process2(GetCurrentProcess(), &process, &native) &&
           native == IMAGE_FILE_MACHINE_ARM64;
}

std::string DefaultDriverPath() {
    std::vector<char> path(MAX_PATH * 4);
    GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::string folder = path.data();
    folder.resize(folder.find_last_of("\\/") + 1);
    SYSTEM_INFO system;
    GetNativeSystemInfo(&system);
    const bool x86 = system.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL;
    return folder + (x86 ? standin::kDriverFileX86 : standin::kDriverFile);
}

int Install(int argc, char** argv) {
    if (RunsOnArm64()) {
        std::fputs("standin_ctl: this Windows runs on ARM64, which cannot load the stand-in's x64 driver\n", stderr);
        return 1;
    }
    standin::Settings settings;
    std::string driver = DefaultDriverPath();
    bool portsGiven = false;
    for (int i = 2; i < argc; i += 2) {
        const std::string option = argv[i];
        if (i + 1 >= argc) {
            return Usage();
        }
        const char* value = argv[i + 1];
        bool valid = true;
        if (option == "--ports") {
            valid = ParseNumber(value, settings.Ports);
            portsGiven = true;
        } else if (option == "--seed") {
            valid = ParseNumber(value, settings.Seed);
        } else if (option == "--names") {
            settings.Names = value;
        } else if (option == "--links") {
            settings.Links = value;
        } else if (option == "--driver") {
            driver = value;
        } else {
            valid = false;
        }
        if (!valid) {
            return Usage();
        }
    }
    // Names alone say how many ports there are.
    if (!portsGiven && !settings.Names.empty()) {
        settings.Ports = 1;
        for (char c : settings.Names) {
            settings.Ports += c == ',';
        }
    }
    if (!MayChangeTheSystem("installing")) {
        return 1;
    }
    return Report(standin::Install(settings, driver),
                  "stand-in running: " + std::to_string(settings.Ports) + " ports, links " + settings.Links);
}

int Send(int argc, char** argv) {
    std::string link;
    int first = 2;
    if (argc > 3 && std::string(argv[2]) == "--link") {
        link = argv[3];
        first = 4;
    }
    std::string line;
    for (int i = first; i < argc; ++i) {
        line += (i > first ? " " : "") + std::string(argv[i]);
    }
    std::string reply;
    const std::string problem = standin::Send(link, line, reply);
    std::fwrite(reply.data(), 1, reply.size(), stdout);
    return Report(problem, "");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    // The driver's reply already ends its lines in CR LF, and may carry any byte.
    _setmode(_fileno(stdout), _O_BINARY);
    const std::string command = argv[1];
    if (command == "install") {
        return Install(argc, argv);
    }
    if (command == "send") {
        return Send(argc, argv);
    }
    if (argc != 2) {
        return Usage();
    }
    if (command == "start") {
        return MayChangeTheSystem("starting") ? Report(standin::Start(), "stand-in running") : 1;
    }
    if (command == "stop") {
        return MayChangeTheSystem("stopping") ? Report(standin::Stop(), "stand-in stopped") : 1;
    }
    if (command == "remove") {
        return MayChangeTheSystem("removing") ? Report(standin::Remove(), "stand-in removed") : 1;
    }
    return Usage();
}
