// One program of a kind for a thing that is not a folder: the trace viewer
// for a driver, whose trace queue two viewers would split between them, and
// the window that shows a service's figures.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/win32/scoped.h"

namespace common {

class NamedLock {
public:
    NamedLock() = default;
    ~NamedLock();
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

    // True when this copy may go on: it holds the lock named `name`, or no
    // lock could be made. False when another copy holds it; that copy's window
    // (of `windowClass`) has then been brought forward, or a box has said
    // `heldText` of its process. With `everySession` the lock holds against
    // copies in every user's session, as a mutex there needs no privilege.
    bool Take(const std::string& name, bool everySession, const char* windowClass,
              std::string (*heldText)(std::optional<uint32_t> processId));

private:
    UniqueKernelObject mutex_;
    // This session's copies learn the holder's process here.
    UniqueKernelObject holder_;
    void* view_ = nullptr;
};

}  // namespace common
