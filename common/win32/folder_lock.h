// The monitor's lock file in its start folder, held for its whole run.
#pragma once

#include <string>

#include "common/win32/scoped.h"

namespace common {

class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock() { Release(); }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // True when this copy may sample `folder`: it holds the lock now, or the
    // folder cannot take a lock file at all. False when another program holds
    // it; its window has then been brought forward, or a box has said so.
    bool Take(const std::string& folder, const char* kind, const char* windowClass);

    // At a clean exit: the file goes with the lock.
    void Release();

private:
    UniqueFile file_;
    std::string path_;
};

}  // namespace common
