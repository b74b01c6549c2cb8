#include "tracer/start_options.h"

#include "common/settings_line.h"

namespace vizo {

namespace {

constexpr int kStepLimit = 80;

}  // namespace

StartOptions ScanCommandLine(const char* commandLine) {
    StartOptions options;
    if (commandLine == nullptr) {
        return options;
    }
    const char* p = commandLine;
    for (int steps = 0; *p != '\0' && steps < kStepLimit;) {
        if (*p != '-' && *p != '/') {
            ++p;
            ++steps;
            continue;
        }
        const int letter = common::UpperAscii(static_cast<unsigned char>(p[1]));
        if (letter == '?') {
            options.ShowOptions = true;
            return options;
        }
        if (letter == 'T') {
            options.TickTrace = true;
        }
        if (letter == '\0' || p[2] == '\0') {
            break;
        }
        p += 3;
        steps += 2;
    }
    return options;
}

DriverKind DriverKindFromDirectory(const std::string& directory) {
    std::string upper = directory;
    for (char& c : upper) {
        c = static_cast<char>(common::UpperAscii(static_cast<unsigned char>(c)));
    }
    if (upper.find("KORVEX") != std::string::npos) {
        return kKindKorvex;
    }
    if (upper.find("TARNEL") != std::string::npos) {
        return kKindTarnel;
    }
    return kKindUndetermined;
}

}  // namespace vizo
