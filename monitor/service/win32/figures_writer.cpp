#include "monitor/service/win32/figures_writer.h"

#include <memory>

#include <windows.h>

#include <sddl.h>

#include "monitor/service/win32/published_block.h"

namespace zorvel {
namespace {

std::string GlobalName(const std::string& serviceName) {
    return "Global\\" + PublicationName(serviceName);
}

}  // namespace

// A block only the service writes and every signed-in user reads; none when
// it cannot be made.
template <typename Block>
common::MappedView MakeBlock(common::UniqueKernelObject& mapping, const std::string& name,
                             const std::string& serviceSid) {
    const std::string access = "D:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;GA;;;" + serviceSid + ")(A;;GR;;;AU)";
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(access.c_str(), SDDL_REVISION_1,
                                                              &attributes.lpSecurityDescriptor, nullptr)) {
        return {};
    }
    mapping.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0, sizeof(Block),
                                     ("Global\\" + name).c_str()));
    LocalFree(attributes.lpSecurityDescriptor);
    return common::MappedView(mapping ? MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, sizeof(Block)) : nullptr);
}

FiguresWriter::FiguresWriter(const std::string& serviceName, const std::string& serviceSid)
    : block_(MakeBlock<PublicationBlock>(mapping_, PublicationName(serviceName), serviceSid)),
      history_(MakeBlock<HistoryBlock>(historyMapping_, HistoryPublicationName(serviceName), serviceSid)) {}

void FiguresWriter::Publish(const MonitorService& service, bool running) {
    if (block_) {
        PublishWith(*static_cast<PublicationBlock*>(block_.Get()), [&](Publication& data) {
            service.Fill(data, running);
            data.Status.ProcessId = GetCurrentProcessId();
        });
    }
    const HistoryTables& history = service.History();
    auto* block = static_cast<HistoryBlock*>(history_.Get());
    if (block != nullptr && (historyMinute_ != history.Header.LastMinute || SequenceOf(*block) == 0)) {
        historyMinute_ = history.Header.LastMinute;
        zorvel::Publish(*block, history);
    }
}

std::optional<ServiceStatus> ReadServiceStatus(const std::string& serviceName) {
    auto figures = std::make_unique<Publication>();
    const bool taken = ReadPublishedBlock<PublicationBlock>(
        GlobalName(serviceName), [&](const PublicationBlock& block) { return TakePublished(block, *figures); });
    return taken ? std::optional<ServiceStatus>(figures->Status) : std::nullopt;
}

}  // namespace zorvel
