#include "monitor/service/win32/command_pipe.h"

#include <sddl.h>

#include "common/win32/administrator.h"

namespace zorvel {
namespace {

constexpr DWORD kClientTimeoutMs = 5000;

// Waits for an overlapped read or write just started (`started` is its call's
// result) to end, for at most the client's timeout; an operation that does not
// end by then is cancelled and waited for, since it writes into the caller's
// buffer. True when it ended well; `bytes` is then its count.
bool Finish(HANDLE pipe, OVERLAPPED& io, BOOL started, DWORD& bytes) {
    if (!started && GetLastError() != ERROR_IO_PENDING) {
        return false;
    }
    if (WaitForSingleObject(io.hEvent, kClientTimeoutMs) != WAIT_OBJECT_0) {
        CancelIo(pipe);
        GetOverlappedResult(pipe, &io, &bytes, TRUE);
        return false;
    }
    return GetOverlappedResult(pipe, &io, &bytes, FALSE) != 0;
}

}  // namespace

CommandPipe::CommandPipe(const std::string& serviceName)
    : name_("\\\\.\\pipe\\" + CommandPipeName(serviceName)), event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    Listen();
}

CommandPipe::~CommandPipe() {
    if (pipe_) {
        DWORD bytes = 0;
        CancelIo(pipe_.Get());
        GetOverlappedResult(pipe_.Get(), &overlapped_, &bytes, TRUE);
    }
}

void CommandPipe::Listen() {
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
    if (!event_ || !ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;GA;;;SY)(A;;GA;;;BA)", SDDL_REVISION_1,
                                                                         &attributes.lpSecurityDescriptor, nullptr)) {
        return;
    }
    pipe_.Reset(CreateNamedPipeA(name_.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                 PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1,
                                 sizeof(ServiceReply), sizeof(ServiceRequest), kClientTimeoutMs, &attributes));
    LocalFree(attributes.lpSecurityDescriptor);
    if (!pipe_) {
        return;
    }
    ResetEvent(event_.Get());
    overlapped_ = {};
    overlapped_.hEvent = event_.Get();
    if (!ConnectNamedPipe(pipe_.Get(), &overlapped_)) {
        const DWORD error = GetLastError();
        if (error == ERROR_PIPE_CONNECTED) {
            SetEvent(event_.Get());
        } else if (error != ERROR_IO_PENDING) {
            pipe_.Reset();
        }
    }
}

void CommandPipe::Serve(const Handler& handler) {
    if (!pipe_) {
        return;
    }
    common::UniqueKernelObject event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    OVERLAPPED io = {};
    io.hEvent = event.Get();
    ServiceRequest request = {};
    DWORD bytes = 0;
    ServiceReply reply = MakeReply(ReplyOutcome::BadRequest);
    if (Finish(pipe_.Get(), io, ReadFile(pipe_.Get(), &request, sizeof request, &bytes, &io), bytes) &&
        bytes == sizeof request) {
        // The pipe's access list already keeps others out; the check is made
        // again where the change is made.
        bool administrator = false;
        if (ImpersonateNamedPipeClient(pipe_.Get())) {
            administrator = common::IsAdministrator();
            RevertToSelf();
        }
        const std::optional<DecodedRequest> decoded = DecodeRequest(&request, bytes);
        reply = !administrator ? MakeReply(ReplyOutcome::NotAdministrator)
                : decoded      ? handler(*decoded)
                               : MakeReply(ReplyOutcome::BadRequest);
    }
    ResetEvent(io.hEvent);
    if (Finish(pipe_.Get(), io, WriteFile(pipe_.Get(), &reply, sizeof reply, &bytes, &io), bytes)) {
        // The caller closes its end once it has read the reply; a disconnect
        // before that would throw the reply away.
        ResetEvent(io.hEvent);
        char more = 0;
        Finish(pipe_.Get(), io, ReadFile(pipe_.Get(), &more, 1, &bytes, &io), bytes);
    }
    DisconnectNamedPipe(pipe_.Get());
    pipe_.Reset();
    Listen();
}

}  // namespace zorvel
