#include "monitor/dialogs/test_result.h"

namespace zorvel {

std::string TestResultText(int reportStatus, const std::string& failedCommand, const std::string& reason) {
    std::string text = reportStatus == 0 ? "Done." : "Error reported:" + std::to_string(reportStatus);
    if (!failedCommand.empty()) {
        text += "\n\nThe external program could not be started:\n" + failedCommand + "\n" + reason;
    }
    return text;
}

}  // namespace zorvel
