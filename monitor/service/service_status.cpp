#include "monitor/service/service_status.h"

namespace zorvel {

std::string StatusBlockName(const std::string& serviceName) {
    return "TarnelPort.zorvel-service:" + serviceName;
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
