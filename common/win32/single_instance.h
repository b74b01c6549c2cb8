// One program of a kind per start folder. The first copy holds a named shared
// block that carries its main window; a later copy finds the block, brings
// that window to the front and ends before it touches any file.
#pragma once

#include <string>

#include <windows.h>

#include "common/win32/scoped.h"

namespace common {

class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True for the first copy under `name`, which then holds the lock until it
    // ends. False when another copy holds it: that copy's window has been
    // brought forward. A lock that cannot be made lets the program run.
    bool Claim(const std::string& name);

    // Tells later copies which window to bring forward.
    void Publish(HWND window);

private:
    UniqueKernelObject mapping_;
    HWND* window_ = nullptr;
};

}  // namespace common
