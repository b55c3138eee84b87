// Owning wrappers for the Win32 handles the backend creates: each frees its handle
// with the one function that fits it, exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace platform::win32 {

template <class Handle, class Traits> class Owned {
public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::invalid(); }
    Handle release() { return std::exchange(handle_, Traits::invalid()); }
    void reset(Handle handle = Traits::invalid()) {
        if (handle_ != Traits::invalid()) {
            Traits::close(handle_);
        }
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::invalid();
};

struct FileHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE handle) { CloseHandle(handle); }
};
using FileHandle = Owned<HANDLE, FileHandleTraits>;

// Events, threads and processes: null when there is none.
struct KernelHandleTraits {
    static HANDLE invalid() { return nullptr; }
    static void close(HANDLE handle) { CloseHandle(handle); }
};
using KernelHandle = Owned<HANDLE, KernelHandleTraits>;

struct FindHandleTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE handle) { FindClose(handle); }
};
using FindHandle = Owned<HANDLE, FindHandleTraits>;

template <class Object> struct GdiObjectTraits {
    static Object invalid() { return nullptr; }
    static void close(Object object) { DeleteObject(object); }
};
using FontHandle = Owned<HFONT, GdiObjectTraits<HFONT>>;
using PenHandle = Owned<HPEN, GdiObjectTraits<HPEN>>;
using BrushHandle = Owned<HBRUSH, GdiObjectTraits<HBRUSH>>;
using BitmapHandle = Owned<HBITMAP, GdiObjectTraits<HBITMAP>>;

// A memory DC made by CreateCompatibleDC.
struct MemoryDcTraits {
    static HDC invalid() { return nullptr; }
    static void close(HDC dc) { DeleteDC(dc); }
};
using MemoryDc = Owned<HDC, MemoryDcTraits>;

struct IconHandleTraits {
    static HICON invalid() { return nullptr; }
    static void close(HICON icon) { DestroyIcon(icon); }
};
using IconHandle = Owned<HICON, IconHandleTraits>;

struct WindowHandleTraits {
    static HWND invalid() { return nullptr; }
    static void close(HWND window) { DestroyWindow(window); }
};
using WindowHandle = Owned<HWND, WindowHandleTraits>;

struct LocalMemoryTraits {
    static HLOCAL invalid() { return nullptr; }
    static void close(HLOCAL memory) { LocalFree(memory); }
};
using LocalMemory = Owned<HLOCAL, LocalMemoryTraits>;

// A screen DC, released when it goes out of scope.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) {
            ReleaseDC(nullptr, dc_);
        }
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Selects a GDI object into a DC for the scope and puts the earlier one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace platform::win32
