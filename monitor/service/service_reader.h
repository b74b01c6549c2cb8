// A window that shows a service's figures: at each of its ticks it takes the
// service's newest publication into its own tables and settings, and it tells
// once when the service stops and when it runs again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "monitor/program_settings.h"
#include "monitor/service/service_status.h"
#include "monitor/stats/port_tables.h"

namespace zorvel {

// Where the window reads the publication: false when the service publishes
// none (it is not running) or every try met it writing.
class PublicationSource {
public:
    virtual ~PublicationSource() = default;
    virtual bool Take(Publication& publication) = 0;
};

enum class ReaderNews { None, Stopped, Running };

class ServiceReader {
public:
    ServiceReader(PublicationSource& source, PortTables& tables, ProgramSettings& settings);
    ~ServiceReader();
    ServiceReader(const ServiceReader&) = delete;
    ServiceReader& operator=(const ServiceReader&) = delete;

    ReaderNews Tick();

    bool Running() const { return running_; }
    // Unix seconds of the figures shown; 0 before any.
    int64_t ShownSample() const { return shownSample_; }
    // The service's own period, for the window's timer; 0 before any figures.
    uint32_t PeriodMs() const { return periodMs_; }

private:
    PublicationSource& source_;
    PortTables& tables_;
    ProgramSettings& settings_;
    // 33 KB a tick: kept, not on the stack.
    std::unique_ptr<Publication> staging_;
    bool running_ = true;
    int64_t shownSample_ = 0;
    uint32_t periodMs_ = 0;
};

constexpr const char* kServiceWindowTitle = "TarnelPort Monitor (service)";

// The window's caption: the plain title while the service runs; once it has
// stopped, the title with a line that says so and from when the figures are
// (`shownTime`, local "HH:MM:SS", or empty before any).
std::string ServiceWindowCaption(bool running, const std::string& shownTime);

}  // namespace zorvel
