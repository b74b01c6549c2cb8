// The running service's status block in the global namespace: the service
// writes it after every tick, the status command (and any user) reads it.
#pragma once

#include <optional>
#include <string>

#include "common/win32/scoped.h"
#include "monitor/service/service_status.h"

namespace zorvel {

class StatusWriter {
public:
    // `serviceSid` may write; Administrators and SYSTEM too; every signed-in
    // user may read.
    StatusWriter(const std::string& serviceName, const std::string& serviceSid);
    ~StatusWriter();
    StatusWriter(const StatusWriter&) = delete;
    StatusWriter& operator=(const StatusWriter&) = delete;

    void Publish(const ServiceStatus& status);

private:
    common::UniqueKernelObject mapping_;
    StatusBlock* block_ = nullptr;
};

// None when the service publishes no block (it does not run).
std::optional<ServiceStatus> ReadServiceStatus(const std::string& serviceName);

}  // namespace zorvel
