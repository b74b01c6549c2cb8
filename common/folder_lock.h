// One sampler per folder, and one trace viewer per driver: the rules of the
// locks, apart from the system calls that take them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace common {

// Held open for writing, with read sharing only, for the monitor's whole run.
// A sharing rule holds whatever path reaches the file (a drive letter, a short
// name, a share, a junction) and from any session or machine; a file left by
// a crash is held by no one and simply taken over.
constexpr const char* kMonitorLockFile = "zorvel.lck";
constexpr const char* kMonitorKind = "zorvel";
constexpr const char* kServiceKind = "zorvel-service";

// The lock file's one line: which kind of program holds it, its process id,
// the computer it runs on and, for a service, its name, under which it
// publishes its figures.
struct LockHolder {
    std::string Kind;
    uint32_t ProcessId = 0;
    std::string Computer;
    std::string Service;
};

std::string FormatLockLine(const LockHolder& holder);
// None when the bytes are not such a line (a file being written, or not ours).
std::optional<LockHolder> ParseLockLine(std::string_view bytes);

enum class LockState {
    Taken,      // this copy holds the lock now
    Held,       // another program holds it
    Unlockable  // the folder cannot take the file: nobody could hold it here
};

// What an open of the lock file for writing means. Access denied on a file
// that exists is as good as held: its holder may be elevated.
LockState LockStateAfterOpen(bool opened, uint32_t error, bool fileExists);

// A second copy brings the holder's window forward when that window can be
// on this desktop: the holder is the same kind, on this computer, in this
// session. Anything else is said in a box.
bool BringsHolderForward(const LockHolder& holder, const std::string& kind, const std::string& computer,
                         bool sameSession);

// The box of a monitor that cannot take the folder, and the event of a
// service that cannot: what holds it.
std::string MonitorHeldText(const std::optional<LockHolder>& holder);

// True when the holder is a service of this computer whose figures a window
// here can show.
bool ShowsServiceFigures(const LockHolder& holder, const std::string& computer);

// The name, after its namespace, of what a window that shows a service's
// figures holds, so that a second one brings the first forward.
std::string ServiceWindowLockName(const std::string& serviceName);
std::string ServiceWindowHeldText(std::optional<uint32_t> processId);
// The box of a second trace viewer for a driver another viewer drains.
std::string TracerHeldText(std::optional<uint32_t> processId);

// The name, after its namespace, of what a trace viewer holds for a driver:
// device paths fold as Windows compares them and keep no backslash, which may
// only end the namespace.
std::string TracerLockName(const std::string& devicePath);

}  // namespace common
