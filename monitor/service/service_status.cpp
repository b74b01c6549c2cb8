#include "monitor/service/service_status.h"

#include <algorithm>
#include <cstring>

#include "monitor/files/settings_file.h"

namespace zorvel {
namespace {

void CopyText(char (&to)[kSpawnRoom], const std::string& text) {
    const size_t length = std::min(text.size(), kSpawnRoom - 1);
    std::memcpy(to, text.data(), length);
    std::memset(to + length, 0, kSpawnRoom - length);
}

// A block from another process may lack its terminator.
std::string TextOf(const char (&text)[kSpawnRoom]) {
    return std::string(text, std::find(text, text + kSpawnRoom - 1, '\0'));
}

}  // namespace

std::string PublicationName(const std::string& serviceName) {
    return "TarnelPort.zorvel-service:" + serviceName;
}

std::string HistoryPublicationName(const std::string& serviceName) {
    return PublicationName(serviceName) + ".history";
}

PublishedSettings PublishSettings(const ProgramSettings& settings) {
    PublishedSettings published = {settings.UpdateTime, settings.HourSingle, settings.HourMulti,
                                   settings.DaySingle,  settings.DayMulti,   {},
                                   {}};
    CopyText(published.HourSpawn, settings.HourSpawn);
    CopyText(published.DaySpawn, settings.DaySpawn);
    return published;
}

void TakeSettings(const PublishedSettings& published, ProgramSettings& settings) {
    settings.UpdateTime = published.UpdateTime;
    settings.HourSingle = published.HourSingle;
    settings.HourMulti = published.HourMulti;
    settings.DaySingle = published.DaySingle;
    settings.DayMulti = published.DayMulti;
    settings.HourSpawn = TextOf(published.HourSpawn).substr(0, kSpawnLimit);
    settings.DaySpawn = TextOf(published.DaySpawn).substr(0, kSpawnLimit);
}

std::string StatusReport(const std::string& name, const std::string& state, const std::string& folder,
                         const ServiceStatus* status, const std::string& lastSampleText) {
    std::string text = name + ": " + state + "\n  folder:      " + folder + "\n";
    if (status == nullptr) {
        return text;
    }
    text += "  last sample: " + (status->LastSample == 0 ? std::string("none yet") : lastSampleText) + "\n";
    text += "  driver:      " +
            std::string(status->DriverUp != 0 ? "answers (" + std::to_string(status->Ports) + " ports)"
                                              : "does not answer") +
            "\n";
    return text;
}

}  // namespace zorvel
