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

FiguresWriter::FiguresWriter(const std::string& serviceName, const std::string& serviceSid) {
    const std::string access = "D:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;GA;;;" + serviceSid + ")(A;;GR;;;AU)";
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(access.c_str(), SDDL_REVISION_1,
                                                              &attributes.lpSecurityDescriptor, nullptr)) {
        return;
    }
    mapping_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0, sizeof(PublicationBlock),
                                      GlobalName(serviceName).c_str()));
    LocalFree(attributes.lpSecurityDescriptor);
    if (mapping_) {
        block_ = static_cast<PublicationBlock*>(
            MapViewOfFile(mapping_.Get(), FILE_MAP_WRITE, 0, 0, sizeof(PublicationBlock)));
    }
}

FiguresWriter::~FiguresWriter() {
    if (block_ != nullptr) {
        UnmapViewOfFile(block_);
    }
}

void FiguresWriter::Publish(const MonitorService& service, bool running) {
    if (block_ != nullptr) {
        PublishWith(*block_, [&](Publication& data) {
            service.Fill(data, running);
            data.Status.ProcessId = GetCurrentProcessId();
        });
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
