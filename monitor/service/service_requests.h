// What a window showing a service's figures asks the service to change, over
// the service's command pipe: one fixed-size request, one fixed-size reply.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "monitor/grid/hit_commands.h"
#include "monitor/program_settings.h"
#include "monitor/service/service_status.h"

namespace zorvel {

enum class RequestCode : uint32_t { Reset = 1, Settings = 2, TestHour = 3, TestDay = 4 };

struct ServiceRequest {
    uint32_t Code;
    int32_t Port;         // Reset: a port, or kAllPorts
    uint32_t InputCount;  // Reset: how many of Inputs
    int32_t Inputs[kMaxColumns];
    PublishedSettings Settings;  // Settings: the new ones; tests: the dialog's as they stand
};
static_assert(sizeof(ServiceRequest) == 12 + 4 * kMaxColumns + sizeof(PublishedSettings), "no padding");

enum class ReplyOutcome : uint32_t { Done = 0, NotAdministrator = 1, BadRequest = 2 };

struct ServiceReply {
    ReplyOutcome Outcome;
    int32_t ReportStatus;  // tests
    char FailedCommand[kSpawnRoom];
    char Reason[256];
};

constexpr const char* kNotAdministratorText = "Only an administrator can change the service's statistics or settings.";

// The pipe's name, after "\\.\pipe\".
std::string CommandPipeName(const std::string& serviceName);

ServiceRequest ResetRequest(const ResetPlan& plan);
ServiceRequest SettingsRequest(RequestCode code, const ProgramSettings& settings);

// What the service takes from a request it was sent: none when it is not a
// request that it makes sense of (an unknown code, a port or input out of range).
struct DecodedRequest {
    RequestCode Code;
    ResetPlan Reset;
    ProgramSettings Settings;
};
std::optional<DecodedRequest> DecodeRequest(const void* bytes, size_t size);

ServiceReply MakeReply(ReplyOutcome outcome, int reportStatus = 0, const std::string& failedCommand = "",
                       const std::string& reason = "");
// The reply's texts, cut at their room whatever the sender wrote.
std::string ReplyCommand(const ServiceReply& reply);
std::string ReplyReason(const ServiceReply& reply);

}  // namespace zorvel
