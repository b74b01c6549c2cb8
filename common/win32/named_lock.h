// The trace viewer's lock on a driver: two viewers would split the driver's
// trace queue between them, wherever each was started.
#pragma once

#include <string>

#include "common/win32/scoped.h"

namespace common {

class DriverLock {
public:
    DriverLock() = default;
    ~DriverLock();
    DriverLock(const DriverLock&) = delete;
    DriverLock& operator=(const DriverLock&) = delete;

    // True when this copy may drain `devicePath`'s trace: it holds the lock,
    // or no lock could be made. False when another viewer holds it; that
    // viewer's window has then been brought forward, or a box has said so.
    bool Take(const std::string& devicePath, const char* windowClass);

private:
    // Every session's viewers meet at this one.
    UniqueKernelObject mutex_;
    // This session's copies learn the holder's process here.
    UniqueKernelObject holder_;
    void* view_ = nullptr;
};

}  // namespace common
