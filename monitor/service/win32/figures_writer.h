// The running service's publication in the global namespace: written after
// every tick, read by the status command and by windows that show the
// service's figures.
#pragma once

#include <optional>
#include <string>

#include "common/win32/scoped.h"
#include "monitor/service/monitor_service.h"
#include "monitor/service/service_status.h"

namespace zorvel {

class FiguresWriter {
public:
    // `serviceSid` may write; Administrators and SYSTEM too; every signed-in
    // user may read, as every user may read the folder's files.
    FiguresWriter(const std::string& serviceName, const std::string& serviceSid);

    void Publish(const MonitorService& service, bool running);

private:
    common::UniqueKernelObject mapping_;
    common::MappedView block_;  // a PublicationBlock
    // The history, written again only when it has gained a minute.
    common::UniqueKernelObject historyMapping_;
    common::MappedView history_;  // a HistoryBlock
    uint32_t historyMinute_ = 0;
};

// None when the service publishes nothing (it does not run).
std::optional<ServiceStatus> ReadServiceStatus(const std::string& serviceName);

}  // namespace zorvel
