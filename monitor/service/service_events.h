// What the service writes to the Application event log in place of the boxes
// of the window program, which would wait for no one.
#pragma once

#include <cstdint>
#include <string>

namespace zorvel {

// The event ids. Each is a message of the program's message table whose text
// is its one insertion string, so Event Viewer shows the text as it stands.
enum class EventKind : uint16_t {
    Started = 1,
    Stopped = 2,
    DriverLost = 3,
    DriverBack = 4,
    FileProblem = 5,     // a file that cannot be read or written, the metrics file's among them
    ReportFailed = 6,    // an hour or day report that cannot be written
    ProgramFailed = 7,   // HourSpawn or DaySpawn that cannot be started
    FolderUnsafe = 8,    // others may write where the service runs programs from
    FolderUnchecked = 9, // --no-folder-check
    FolderHeld = 10,     // another program samples the folder
};
constexpr uint16_t kLastEventId = 10;

enum class EventLevel { Error, Warning, Information };

struct ServiceEvent {
    EventKind Kind;
    EventLevel Level;
    std::string Text;
};

// Where the service's events go: the event log, or a test's list.
class ServiceLog {
public:
    virtual ~ServiceLog() = default;
    virtual void Write(const ServiceEvent& event) = 0;
};

EventLevel LevelOf(EventKind kind);
ServiceEvent MakeEvent(EventKind kind, std::string text);

ServiceEvent StartedEvent(const std::string& folder, bool simulated, const std::string& version);
ServiceEvent StoppedEvent(const std::string& folder);
// `text` is the window program's box text for the failure.
ServiceEvent DriverLostEvent(const std::string& text);
ServiceEvent DriverBackEvent(int ports);
ServiceEvent ReportFailedEvent(const std::string& path, int status);
ServiceEvent ProgramFailedEvent(const std::string& commandLine, const std::string& reason);

}  // namespace zorvel
