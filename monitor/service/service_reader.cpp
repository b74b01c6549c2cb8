#include "monitor/service/service_reader.h"

#include <cstring>

namespace zorvel {

ServiceReader::ServiceReader(PublicationSource& source, PortTables& tables, ProgramSettings& settings)
    : source_(source), tables_(tables), settings_(settings), staging_(std::make_unique<Publication>()) {}

ServiceReader::~ServiceReader() = default;

ReaderNews ServiceReader::Tick() {
    const bool running = source_.Take(*staging_) && staging_->Running != 0;
    if (running) {
        const Publication& figures = *staging_;
        tables_.Names = figures.Names;
        tables_.Counters = figures.Counters;
        std::memcpy(tables_.Records, figures.Records, sizeof tables_.Records);
        TakeSettings(figures.Settings, settings_);
        shownSample_ = figures.Status.LastSample;
        periodMs_ = figures.Status.PeriodMs;
    }
    if (running == running_) {
        return ReaderNews::None;
    }
    running_ = running;
    return running ? ReaderNews::Running : ReaderNews::Stopped;
}

std::string ServiceWindowCaption(bool running, const std::string& shownTime) {
    if (running) {
        return kServiceWindowTitle;
    }
    return std::string(kServiceWindowTitle) + " - The TarnelPort Monitor service has stopped; the figures shown are from " +
           (shownTime.empty() ? "before it started" : shownTime) + ".";
}

}  // namespace zorvel
