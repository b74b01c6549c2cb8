#include "monitor/service/win32/figures_writer.h"

#include <memory>

#include <windows.h>

#include <sddl.h>

namespace zorvel {
namespace {

std::string GlobalName(const std::string& serviceName) {
    return "Global\\" + PublicationName(serviceName);
}

}  // namespace

// A block only the service writes and every signed-in user reads; none when
// it cannot be made.
template <typename Block>
Block* MakeBlock(common::UniqueKernelObject& mapping, const std::string& name, const std::string& serviceSid) {
    const std::string access = "D:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;GA;;;" + serviceSid + ")(A;;GR;;;AU)";
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(access.c_str(), SDDL_REVISION_1,
                                                              &attributes.lpSecurityDescriptor, nullptr)) {
        return nullptr;
    }
    mapping.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0, sizeof(Block),
                                     ("Global\\" + name).c_str()));
    LocalFree(attributes.lpSecurityDescriptor);
    return mapping ? static_cast<Block*>(MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, sizeof(Block)))
                   : nullptr;
}

FiguresWriter::FiguresWriter(const std::string& serviceName, const std::string& serviceSid)
    : block_(MakeBlock<PublicationBlock>(mapping_, PublicationName(serviceName), serviceSid)),
      history_(MakeBlock<HistoryBlock>(historyMapping_, HistoryPublicationName(serviceName), serviceSid)) {}

FiguresWriter::~FiguresWriter() {
    if (block_ != nullptr) {
        UnmapViewOfFile(block_);
    }
    if (history_ != nullptr) {
        UnmapViewOfFile(history_);
    }
}

void FiguresWriter::Publish(const MonitorService& service, bool running) {
    if (block_ != nullptr) {
        PublishWith(*block_, [&](Publication& data) {
            service.Fill(data, running);
            data.Status.ProcessId = GetCurrentProcessId();
        });
    }
    const HistoryTables& history = service.History();
    if (history_ != nullptr && (historyMinute_ != history.Header.LastMinute || SequenceOf(*history_) == 0)) {
        historyMinute_ = history.Header.LastMinute;
        zorvel::Publish(*history_, history);
    }
}

std::optional<ServiceStatus> ReadServiceStatus(const std::string& serviceName) {
    common::UniqueKernelObject mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, GlobalName(serviceName).c_str()));
    if (!mapping) {
        return std::nullopt;
    }
    const void* view = MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, sizeof(PublicationBlock));
    if (view == nullptr) {
        return std::nullopt;
    }
    auto figures = std::make_unique<Publication>();
    const bool taken = TakePublished(*static_cast<const PublicationBlock*>(view), *figures);
    UnmapViewOfFile(view);
    return taken ? std::optional<ServiceStatus>(figures->Status) : std::nullopt;
}

}  // namespace zorvel
