#include "monitor/service/win32/status_block.h"

#include <windows.h>

#include <sddl.h>

namespace zorvel {
namespace {

std::string GlobalName(const std::string& serviceName) {
    return "Global\\" + StatusBlockName(serviceName);
}

}  // namespace

StatusWriter::StatusWriter(const std::string& serviceName, const std::string& serviceSid) {
    const std::string access = "D:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;GA;;;" + serviceSid + ")(A;;GR;;;AU)";
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(access.c_str(), SDDL_REVISION_1,
                                                              &attributes.lpSecurityDescriptor, nullptr)) {
        return;
    }
    mapping_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0, sizeof(StatusBlock),
                                      GlobalName(serviceName).c_str()));
    LocalFree(attributes.lpSecurityDescriptor);
    if (mapping_) {
        block_ = static_cast<StatusBlock*>(MapViewOfFile(mapping_.Get(), FILE_MAP_WRITE, 0, 0, sizeof(StatusBlock)));
    }
}

StatusWriter::~StatusWriter() {
    if (block_ != nullptr) {
        UnmapViewOfFile(block_);
    }
}

void StatusWriter::Publish(const ServiceStatus& status) {
    if (block_ != nullptr) {
        zorvel::Publish(*block_, status);
    }
}

std::optional<ServiceStatus> ReadServiceStatus(const std::string& serviceName) {
    common::UniqueKernelObject mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, GlobalName(serviceName).c_str()));
    if (!mapping) {
        return std::nullopt;
    }
    const void* view = MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, sizeof(StatusBlock));
    if (view == nullptr) {
        return std::nullopt;
    }
    ServiceStatus status = {};
    const bool taken = TakePublished(*static_cast<const StatusBlock*>(view), status);
    UnmapViewOfFile(view);
    return taken ? std::optional<ServiceStatus>(status) : std::nullopt;
}

}  // namespace zorvel
