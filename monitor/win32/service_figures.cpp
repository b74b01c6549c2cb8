#include "monitor/win32/service_figures.h"

#include <windows.h>

#include "common/win32/administrator.h"
#include "common/win32/dialogs.h"
#include "common/win32/scoped.h"

namespace zorvel {
namespace {

constexpr DWORD kAnswerWaitMs = 10000;
constexpr const char* kNoAnswerText = "The TarnelPort Monitor service does not answer; nothing was changed.";
constexpr const char* kNotTakenText = "The TarnelPort Monitor service did not take the change; nothing was changed.";

}  // namespace

bool ServiceFigures::Take(Publication& publication) {
    common::UniqueKernelObject mapping(
        OpenFileMappingA(FILE_MAP_READ, FALSE, ("Global\\" + PublicationName(name_)).c_str()));
    if (!mapping) {
        return false;
    }
    const void* view = MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, sizeof(PublicationBlock));
    if (view == nullptr) {
        return false;
    }
    const bool taken = TakePublished(*static_cast<const PublicationBlock*>(view), publication);
    UnmapViewOfFile(view);
    return taken;
}

bool ServiceFigures::TakeHistory(HistoryTables& history) {
    common::UniqueKernelObject mapping(
        OpenFileMappingA(FILE_MAP_READ, FALSE, ("Global\\" + HistoryPublicationName(name_)).c_str()));
    if (!mapping) {
        return false;
    }
    const void* view = MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, sizeof(HistoryBlock));
    if (view == nullptr) {
        return false;
    }
    const auto& block = *static_cast<const HistoryBlock*>(view);
    const uint32_t sequence = SequenceOf(block);
    const bool taken = sequence != historySequence_ && sequence % 2 == 0 && TakePublished(block, history);
    if (taken) {
        historySequence_ = sequence;
    }
    UnmapViewOfFile(view);
    return taken;
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
        common::AlertBoxText(reply.Outcome == ReplyOutcome::NotAdministrator ? kNotAdministratorText
                                                                             : kNotTakenText);
        return false;
    }
    return true;
}

}  // namespace zorvel
