#include "common/win32/clipboard.h"

#include <cstring>

#include "common/win32/scoped.h"

namespace common {
namespace {

// The clipboard for the length of a scope; another program may hold it.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) {
            CloseClipboard();
        }
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;

    explicit operator bool() const { return open_; }

private:
    bool open_;
};

// Movable global memory's bytes for the length of a scope.
class LockedMemory {
public:
    explicit LockedMemory(HGLOBAL memory) : memory_(memory), bytes_(GlobalLock(memory)) {}
    ~LockedMemory() {
        if (bytes_ != nullptr) {
            GlobalUnlock(memory_);
        }
    }
    LockedMemory(const LockedMemory&) = delete;
    LockedMemory& operator=(const LockedMemory&) = delete;

    void* Bytes() const { return bytes_; }

private:
    HGLOBAL memory_;
    void* bytes_;
};

bool CopyInto(HGLOBAL memory, const std::string& text) {
    const LockedMemory locked(memory);
    if (locked.Bytes() == nullptr) {
        return false;
    }
    std::memcpy(locked.Bytes(), text.c_str(), text.size() + 1);
    return true;
}

}  // namespace

bool PutClipboardPictureAndText(HWND owner, HBITMAP picture, const std::string& text) {
    UniqueHandle<GdiTraits<HBITMAP>> bitmap(picture);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!memory || !CopyInto(memory.Get(), text)) {
        return false;
    }
    const OpenClipboardScope clipboard(owner);
    if (!clipboard || !EmptyClipboard() || SetClipboardData(CF_TEXT, memory.Get()) == nullptr) {
        return false;
    }
    // The clipboard owns what it took from here on.
    memory.Detach();
    if (bitmap && SetClipboardData(CF_BITMAP, bitmap.Get()) != nullptr) {
        bitmap.Detach();
    }
    return true;
}

bool PutClipboardText(HWND owner, const std::string& text) {
    return PutClipboardPictureAndText(owner, nullptr, text);
}

}  // namespace common
