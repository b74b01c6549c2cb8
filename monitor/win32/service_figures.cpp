#include "monitor/win32/service_figures.h"

#include <windows.h>

#include "common/win32/administrator.h"
#include "common/win32/dialogs.h"
#include "common/win32/scoped.h"
#include "monitor/service/win32/published_block.h"

namespace zorvel {
namespace {

constexpr DWORD kAnswerWaitMs = 10000;
constexpr const char* kNoAnswerText = "The TarnelPort Monitor service does not answer; nothing was changed.";
constexpr const char* kNotTakenText = "The TarnelPort Monitor service did not take the change; nothing was changed.";

}  // namespace

bool ServiceFigures::Take(Publication& publication) {
    return ReadPublishedBlock<PublicationBlock>(
        "Global\\" + PublicationName(name_),
        [&](const PublicationBlock& block) { return TakePublished(block, publication); });
}

bool ServiceFigures::TakeHistory(HistoryTables& history) {
    return ReadPublishedBlock<HistoryBlock>("Global\\" + HistoryPublicationName(name_), [&](const HistoryBlock& block) {
        const uint32_t sequence = SequenceOf(block);
        if (sequence == historySequence_ || sequence % 2 != 0 || !TakePublished(block, history)) {
            return false;
        }
        historySequence_ = sequence;
        return true;
    });
}

bool AskService(const std::string& serviceName, const ServiceRequest& request, ServiceReply& reply) {
    // Said before anything is sent; the service checks the caller again.
    if (!common::IsAdministrator()) {
        common::AlertBoxText(kNotAdministratorText);
        return false;
    }
    const std::string pipe = "\\\\.\\pipe\\" + CommandPipeName(serviceName);
    common::UniqueFile file(
        CreateFileA(pipe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file && GetLastError() == ERROR_PIPE_BUSY && WaitNamedPipeA(pipe.c_str(), kAnswerWaitMs)) {
        file.Reset(CreateFileA(pipe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    }
    if (!file) {
        common::AlertBoxText(GetLastError() == ERROR_ACCESS_DENIED ? kNotAdministratorText : kNoAnswerText);
        return false;
    }
    DWORD mode = PIPE_READMODE_MESSAGE;
    SetNamedPipeHandleState(file.Get(), &mode, nullptr, nullptr);
    DWORD bytes = 0;
    if (!WriteFile(file.Get(), &request, sizeof request, &bytes, nullptr) ||
        !ReadFile(file.Get(), &reply, sizeof reply, &bytes, nullptr) || bytes != sizeof reply) {
        common::AlertBoxText(kNoAnswerText);
        return false;
    }
    if (reply.Outcome != ReplyOutcome::Done) {
        common::AlertBoxText(reply.Outcome == ReplyOutcome::NotAdministrator ? kNotAdministratorText : kNotTakenText);
        return false;
    }
    return true;
}

}  // namespace zorvel
