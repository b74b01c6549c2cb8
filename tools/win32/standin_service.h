// Installs, starts, stops and removes the stand-in driver's service, and
// talks to the running stand-in through the trace request. Every step may be
// repeated: removing what is not there, or starting what runs, succeeds.
#pragma once

#include <cstdint>
#include <string>

namespace standin {

constexpr const char* kServiceName = "TarnelStandIn";
// Also the name of the copy in the system's driver folder, whichever file it came from.
constexpr const char* kDriverFile = "tarnel_standin.sys";
// The 32-bit build, for a 32-bit Windows: it loads only drivers of its own kind.
constexpr const char* kDriverFileX86 = "tarnel_standin_x86.sys";

struct Settings {
    uint32_t Ports = 8;
    std::string Names;  // comma-separated, for the first ports; the rest keep default names
    std::string Links = "tarnel";
    uint32_t Seed = 1;
};

// Each returns an empty string on success, else what went wrong.
std::string CheckSettings(const Settings& settings);
// Removes a stale installation first, copies `driverPath` into the system's
// driver folder, where only administrators may change it, and creates,
// configures and starts the service that loads the copy.
std::string Install(const Settings& settings, const std::string& driverPath);
std::string Start();
std::string Stop();
// Stops and deletes the service, then deletes the driver's copy.
std::string Remove();
// Sends `line` as a command line (an empty one only fetches pending trace text)
// through "\\.\<link>", or the first of "tarnel" and "korvexa" that opens when
// `link` is empty; the reply text goes to `reply`.
std::string Send(const std::string& link, const std::string& line, std::string& reply);

}  // namespace standin
