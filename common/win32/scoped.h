// Owning wrappers for what the programs acquire from Win32: each released once,
// on every path, by its own call.
#pragma once

#include <windows.h>

namespace common {

// A handle, the value that means none, and the call that releases it.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = Traits::None(); }
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.handle_);
            other.handle_ = Traits::None();
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::None(); }
    void Reset(Handle handle = Traits::None()) {
        if (handle_ != Traits::None()) {
            Traits::Release(handle_);
        }
        handle_ = handle;
    }
    // Hands the handle to whoever releases it from now on.
    Handle Detach() {
        const Handle handle = handle_;
        handle_ = Traits::None();
        return handle;
    }

private:
    Handle handle_ = Traits::None();
};

// Files and devices: CreateFile says none with INVALID_HANDLE_VALUE.
struct FileTraits {
    using Handle = HANDLE;
    static Handle None() { return INVALID_HANDLE_VALUE; }
    static void Release(Handle handle) { CloseHandle(handle); }
};

// Processes, threads and mappings: none is null.
struct KernelObjectTraits {
    using Handle = HANDLE;
    static Handle None() { return nullptr; }
    static void Release(Handle handle) { CloseHandle(handle); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle None() { return nullptr; }
    static void Release(Handle handle) { RegCloseKey(handle); }
};

struct ServiceTraits {
    using Handle = SC_HANDLE;
    static Handle None() { return nullptr; }
    static void Release(Handle handle) { CloseServiceHandle(handle); }
};

struct GlobalMemoryTraits {
    using Handle = HGLOBAL;
    static Handle None() { return nullptr; }
    static void Release(Handle handle) { GlobalFree(handle); }
};

// A view of a file mapping.
struct MappedViewTraits {
    using Handle = void*;
    static Handle None() { return nullptr; }
    static void Release(Handle handle) { UnmapViewOfFile(handle); }
};

// A memory device context from CreateCompatibleDC.
struct MemoryDCTraits {
    using Handle = HDC;
    static Handle None() { return nullptr; }
    static void Release(Handle handle) { DeleteDC(handle); }
};

template <typename Object>
struct GdiTraits {
    using Handle = Object;
    static Handle None() { return nullptr; }
    static void Release(Handle handle) { DeleteObject(handle); }
};

using UniqueFile = UniqueHandle<FileTraits>;
using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;
using UniqueService = UniqueHandle<ServiceTraits>;
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;
using MappedView = UniqueHandle<MappedViewTraits>;
using FontObject = UniqueHandle<GdiTraits<HFONT>>;
using BrushObject = UniqueHandle<GdiTraits<HBRUSH>>;
using RegionObject = UniqueHandle<GdiTraits<HRGN>>;
using MemoryDC = UniqueHandle<MemoryDCTraits>;

// A window's device context for the length of a scope.
class ScopedDC {
public:
    explicit ScopedDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScopedDC() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    ScopedDC(const ScopedDC&) = delete;
    ScopedDC& operator=(const ScopedDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context for the length of a scope; the
// one it replaced goes back at the end.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace common
