#include "common/win32/single_instance.h"

namespace common {
namespace {

// The first copy may still be starting: its window is published after its
// files are read.
constexpr DWORD kWindowWaitMs = 5000;
constexpr DWORD kWindowPollMs = 50;

void BringForward(const HWND* published) {
    HWND window = nullptr;
    for (DWORD waited = 0; waited < kWindowWaitMs; waited += kWindowPollMs) {
        window = *static_cast<const volatile HWND*>(published);
        if (window != nullptr) {
            break;
        }
        Sleep(kWindowPollMs);
    }
    if (window == nullptr || !IsWindow(window)) {
        return;
    }
    if (IsIconic(window)) {
        ShowWindow(window, SW_RESTORE);
    }
    SetForegroundWindow(window);
}

}  // namespace

SingleInstance::~SingleInstance() {
    if (window_ != nullptr) {
        UnmapViewOfFile(window_);
    }
}

bool SingleInstance::Claim(const std::string& name) {
    HANDLE created = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HWND), name.c_str());
    const bool first = GetLastError() != ERROR_ALREADY_EXISTS;
    mapping_.Reset(created);
    if (!mapping_) {
        return true;
    }
    window_ = static_cast<HWND*>(MapViewOfFile(mapping_.Get(), FILE_MAP_WRITE, 0, 0, sizeof(HWND)));
    if (!first && window_ != nullptr) {
        BringForward(window_);
    }
    return first;
}

void SingleInstance::Publish(HWND window) {
    if (window_ != nullptr) {
        *window_ = window;
    }
}

}  // namespace common
