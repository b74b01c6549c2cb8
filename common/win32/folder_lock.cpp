#include "common/win32/folder_lock.h"

namespace common {

std::string ComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return GetComputerNameA(name, &size) ? std::string(name, size) : std::string();
}

namespace {

std::optional<LockHolder> ReadHolder(const std::string& path) {
    // The holder writes while it holds the file; this open must let it.
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    char bytes[256];
    DWORD read = 0;
    if (!file || !ReadFile(file.Get(), bytes, sizeof bytes, &read, nullptr)) {
        return std::nullopt;
    }
    return ParseLockLine(std::string_view(bytes, read));
}

}  // namespace

LockState FolderLock::Take(const std::string& folder, const char* kind, const std::string& service) {
    const std::string path = folder + "\\" + kMonitorLockFile;
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD error = file ? 0 : GetLastError();
    const LockState state =
        LockStateAfterOpen(static_cast<bool>(file), error, GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES);
    if (state == LockState::Held) {
        holder_ = ReadHolder(path);
    }
    if (state != LockState::Taken) {
        return state;
    }
    // A crashed holder's line is written over.
    const std::string line = FormatLockLine({kind, GetCurrentProcessId(), ComputerName(), service});
    DWORD written = 0;
    SetEndOfFile(file.Get());
    WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    file_ = std::move(file);
    path_ = path;
    return state;
}

void FolderLock::Release() {
    if (!file_) {
        return;
    }
    file_.Reset();
    // A copy that took the lock in between holds the file without delete
    // sharing, so this cannot remove it from under that copy.
    DeleteFileA(path_.c_str());
}

}  // namespace common
