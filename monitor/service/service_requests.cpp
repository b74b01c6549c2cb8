#include "monitor/service/service_requests.h"

#include <algorithm>
#include <cstring>

#include "monitor/stats/catalogue.h"
#include "monitor/stats/statistic_values.h"

namespace zorvel {
namespace {

template <size_t N>
void CopyText(char (&to)[N], const std::string& text) {
    const size_t length = std::min(text.size(), N - 1);
    std::memcpy(to, text.data(), length);
    std::memset(to + length, 0, N - length);
}

template <size_t N>
std::string TextOf(const char (&text)[N]) {
    return std::string(text, std::find(text, text + N - 1, '\0'));
}

}  // namespace

std::string CommandPipeName(const std::string& serviceName) {
    return "TarnelPort.zorvel-service." + serviceName;
}

ServiceRequest ResetRequest(const ResetPlan& plan) {
    ServiceRequest request = {};
    request.Code = static_cast<uint32_t>(RequestCode::Reset);
    request.Port = plan.Port;
    for (int input : plan.Inputs) {
        if (request.InputCount < static_cast<uint32_t>(kMaxColumns)) {
            request.Inputs[request.InputCount++] = input;
        }
    }
    return request;
}

ServiceRequest SettingsRequest(RequestCode code, const ProgramSettings& settings) {
    ServiceRequest request = {};
    request.Code = static_cast<uint32_t>(code);
    request.Settings = PublishSettings(settings);
    return request;
}

std::optional<DecodedRequest> DecodeRequest(const void* bytes, size_t size) {
    if (size != sizeof(ServiceRequest)) {
        return std::nullopt;
    }
    ServiceRequest request;
    std::memcpy(&request, bytes, sizeof request);
    DecodedRequest decoded;
    decoded.Code = static_cast<RequestCode>(request.Code);
    switch (decoded.Code) {
        case RequestCode::Reset:
            if ((request.Port != kAllPorts && (request.Port < 0 || request.Port >= kMaxPorts)) ||
                request.InputCount > static_cast<uint32_t>(kMaxColumns)) {
                return std::nullopt;
            }
            decoded.Reset.Port = request.Port;
            for (uint32_t i = 0; i < request.InputCount; ++i) {
                if (request.Inputs[i] < 1 || request.Inputs[i] > kCatalogueSize) {
                    return std::nullopt;
                }
                decoded.Reset.Inputs.push_back(request.Inputs[i]);
            }
            return decoded;
        case RequestCode::Settings:
        case RequestCode::TestHour:
        case RequestCode::TestDay: TakeSettings(request.Settings, decoded.Settings); return decoded;
    }
    return std::nullopt;
}

ServiceReply MakeReply(ReplyOutcome outcome, int reportStatus, const std::string& failedCommand,
                       const std::string& reason) {
    ServiceReply reply = {};
    reply.Outcome = outcome;
    reply.ReportStatus = reportStatus;
    CopyText(reply.FailedCommand, failedCommand);
    CopyText(reply.Reason, reason);
    return reply;
}

std::string ReplyCommand(const ServiceReply& reply) {
    return TextOf(reply.FailedCommand);
}

std::string ReplyReason(const ServiceReply& reply) {
    return TextOf(reply.Reason);
}

}  // namespace zorvel
