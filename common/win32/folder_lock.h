// The monitor's lock file in its folder, held for the whole run of whichever
// program samples the folder: the window program or the service.
#pragma once

#include <optional>
#include <string>

#include "common/folder_lock.h"
#include "common/win32/scoped.h"

namespace common {

class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock() { Release(); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Taken: this program holds the lock now, its line says `kind`. Held:
    // another program does, and Holder() says which when its line can be read.
    // Unlockable: the folder cannot take a lock file, so nobody can hold it.
    LockState Take(const std::string& folder, const char* kind, const std::string& service = "");
    const std::optional<LockHolder>& Holder() const { return holder_; }

    // At a clean exit: the file goes with the lock.
    void Release();

private:
    UniqueFile file_;
    std::string path_;
    std::optional<LockHolder> holder_;
};

// The name the lock file's line gives this computer.
std::string ComputerName();

}  // namespace common
