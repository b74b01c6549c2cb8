// The service's events in the Application log, under a source named after the
// service whose messages are the program's own message table.
#pragma once

#include <string>

#include <windows.h>

#include "monitor/service/service_events.h"

namespace zorvel {

class EventLogWriter : public ServiceLog {
public:
    explicit EventLogWriter(const std::string& source);
    ~EventLogWriter() override;
    EventLogWriter(const EventLogWriter&) = delete;
    EventLogWriter& operator=(const EventLogWriter&) = delete;

    void Write(const ServiceEvent& event) override;

private:
    HANDLE source_;
};

// The source's registration, so that Event Viewer finds the message table in
// `program`. Empty when done, otherwise why not.
std::string AddEventSource(const std::string& name, const std::string& program);
void RemoveEventSource(const std::string& name);

}  // namespace zorvel
