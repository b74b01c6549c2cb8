#include "monitor/service/service_events.h"

#include "monitor/reports/report_writer.h"

namespace zorvel {

EventLevel LevelOf(EventKind kind) {
    switch (kind) {
        case EventKind::Started:
        case EventKind::Stopped:
        case EventKind::DriverBack: return EventLevel::Information;
        case EventKind::FolderUnchecked: return EventLevel::Warning;
        case EventKind::DriverLost:
        case EventKind::FileProblem:
        case EventKind::ReportFailed:
        case EventKind::ProgramFailed:
        case EventKind::FolderUnsafe:
        case EventKind::FolderHeld: return EventLevel::Error;
    }
    return EventLevel::Error;
}

ServiceEvent MakeEvent(EventKind kind, std::string text) {
    return ServiceEvent{kind, LevelOf(kind), std::move(text)};
}

ServiceEvent StartedEvent(const std::string& folder, bool simulated, const std::string& version) {
    return MakeEvent(EventKind::Started, "The TarnelPort Monitor service " + version + " started for the folder " +
                                             folder + ", sampling " +
                                             (simulated ? "the simulated source." : "the TarnelPort driver."));
}

ServiceEvent StoppedEvent(const std::string& folder) {
    return MakeEvent(EventKind::Stopped,
                     "The TarnelPort Monitor service stopped; its figures are saved in the folder " + folder + ".");
}

ServiceEvent DriverLostEvent(const std::string& text) {
    return MakeEvent(EventKind::DriverLost, text + " The service keeps its statistics and connects again at every tick.");
}

ServiceEvent DriverBackEvent(int ports) {
    return MakeEvent(EventKind::DriverBack,
                     "The TarnelPort driver answers again, with " + std::to_string(ports) + " ports.");
}

ServiceEvent ReportFailedEvent(const std::string& path, int status) {
    std::string why;
    switch (status) {
        case kReportNoSpace: why = "there are 2,000,000 bytes or less free"; break;
        case kReportFileFull: why = "it is already longer than 2,000,000 bytes"; break;
        default: why = "it could not be opened or written completely"; break;
    }
    return MakeEvent(EventKind::ReportFailed, "Could not write the report " + path + ": " + why + ".");
}

ServiceEvent ProgramFailedEvent(const std::string& commandLine, const std::string& reason) {
    std::string why = reason;
    while (!why.empty() && why.back() == '.') {
        why.pop_back();
    }
    return MakeEvent(EventKind::ProgramFailed, "Could not start the program \"" + commandLine + "\": " + why + ".");
}

}  // namespace zorvel
