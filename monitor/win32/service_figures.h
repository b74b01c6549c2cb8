// The window's link to a service that samples its folder: the service's
// published figures, and its command pipe for what the user changes.
#pragma once

#include <string>

#include "monitor/service/service_reader.h"
#include "monitor/service/service_requests.h"

namespace zorvel {

// Opens the service's block at each take, so that a service that has ended
// (its block gone) shows as stopped and one that runs again is found again.
class ServiceFigures : public PublicationSource {
public:
    explicit ServiceFigures(std::string serviceName) : name_(std::move(serviceName)) {}
    bool Take(Publication& publication) override;
    // The service's history, when it has changed since the last take.
    bool TakeHistory(HistoryTables& history);

private:
    std::string name_;
    uint32_t historySequence_ = 0;
};

// Sends a request to the service and waits for its reply. False when it could
// not be sent: a box has then said why (a user who is not an administrator,
// or a service that does not answer), and nothing changed.
bool AskService(const std::string& serviceName, const ServiceRequest& request, ServiceReply& reply);

}  // namespace zorvel
