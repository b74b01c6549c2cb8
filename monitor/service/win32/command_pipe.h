// The service's command pipe: a window that shows the service's figures sends
// what a user asks to change (a reset, the settings, a test of the reports).
// Only Administrators and SYSTEM may open it, and the service checks each
// caller again. Served on the service's own thread, between ticks.
#pragma once

#include <functional>
#include <string>

#include <windows.h>

#include "common/win32/scoped.h"
#include "monitor/service/service_requests.h"

namespace zorvel {

class CommandPipe {
public:
    using Handler = std::function<ServiceReply(const DecodedRequest&)>;

    explicit CommandPipe(const std::string& serviceName);
    ~CommandPipe();
    CommandPipe(const CommandPipe&) = delete;
    CommandPipe& operator=(const CommandPipe&) = delete;

    // Signalled when a caller has connected; none when the pipe could not be made.
    HANDLE Event() const { return event_.Get(); }
    // Answers the connected caller and waits for the next.
    void Serve(const Handler& handler);

private:
    void Listen();

    std::string name_;
    common::UniqueFile pipe_;
    common::UniqueKernelObject event_;
    OVERLAPPED overlapped_ = {};
};

}  // namespace zorvel
