#include "common/win32/named_lock.h"

#include <cstdint>
#include <optional>

#include "common/win32/dialogs.h"
#include "common/win32/holder_window.h"

namespace common {
namespace {

// The holder's process id, in a block that 32-bit and 64-bit copies read alike.
struct HolderBlock {
    uint32_t ProcessId;
};

std::optional<uint32_t> HolderInThisSession(const std::string& name) {
    UniqueKernelObject mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
    if (!mapping) {
        return std::nullopt;
    }
    const void* view = MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, sizeof(HolderBlock));
    if (view == nullptr) {
        return std::nullopt;
    }
    const uint32_t id = static_cast<const volatile HolderBlock*>(view)->ProcessId;
    UnmapViewOfFile(view);
    return id != 0 ? std::optional<uint32_t>(id) : std::nullopt;
}

}  // namespace

NamedLock::~NamedLock() {
    if (view_ != nullptr) {
        UnmapViewOfFile(view_);
    }
}

bool NamedLock::Take(const std::string& name, bool everySession, const char* windowClass,
                     std::string (*heldText)(std::optional<uint32_t> processId)) {
    mutex_.Reset(CreateMutexA(nullptr, FALSE, ((everySession ? "Global\\" : "Local\\") + name).c_str()));
    const DWORD error = GetLastError();
    const bool held = error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED);
    const std::string local = "Local\\" + name + ".holder";
    if (held) {
        mutex_.Reset();
        const std::optional<uint32_t> holder = HolderInThisSession(local);
        if (!holder || !BringHolderWindowForward(*holder, windowClass)) {
            AlertBoxText(heldText(holder));
        }
        return false;
    }
    holder_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HolderBlock),
                                     local.c_str()));
    if (holder_) {
        view_ = MapViewOfFile(holder_.Get(), FILE_MAP_WRITE, 0, 0, sizeof(HolderBlock));
        if (view_ != nullptr) {
            static_cast<volatile HolderBlock*>(view_)->ProcessId = GetCurrentProcessId();
        }
    }
    return true;
}

}  // namespace common
