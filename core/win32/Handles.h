// RAII owners for Win32 handles, scoped platform sessions (a window's
// device context, an open clipboard, a locked global block, OLE) and COM
// interface pointers. Shared by the window layer, the capture code and the
// application object.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstddef>

#include <utility>

// Owns one handle; Traits supplies the empty value and how to free it.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::empty(); }
    Handle release() { return std::exchange(handle_, Traits::empty()); }
    void reset(Handle handle = Traits::empty()) {
        if (handle_ != Traits::empty()) Traits::close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::empty();
};

struct MenuTraits {
    using Handle = HMENU;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DestroyMenu(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DestroyIcon(h); }
};
struct CursorTraits {
    using Handle = HCURSOR;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DestroyCursor(h); }
};
struct GdiTraits {
    using Handle = HGDIOBJ;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DeleteObject(h); }
};
struct GlobalTraits {
    using Handle = HGLOBAL;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { GlobalFree(h); }
};
struct KernelTraits {
    using Handle = HANDLE;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { CloseHandle(h); }
};
struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { RegCloseKey(h); }
};
struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { ImageList_Destroy(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { FreeLibrary(h); }
};
struct WindowTraits {
    using Handle = HWND;
    static Handle empty() { return nullptr; }
    static void close(Handle h) {
        if (IsWindow(h)) DestroyWindow(h);
    }
};
struct AcceleratorTraits {
    using Handle = HACCEL;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { DestroyAcceleratorTable(h); }
};

using MenuHandle = UniqueHandle<MenuTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using CursorHandle = UniqueHandle<CursorTraits>;
using GdiObject = UniqueHandle<GdiTraits>;
using GlobalMemory = UniqueHandle<GlobalTraits>;
using KernelHandle = UniqueHandle<KernelTraits>;
using RegistryKey = UniqueHandle<RegistryKeyTraits>;
using ImageListHandle = UniqueHandle<ImageListTraits>;
using ModuleHandle = UniqueHandle<ModuleTraits>;
using WindowHandle = UniqueHandle<WindowTraits>;
using AcceleratorHandle = UniqueHandle<AcceleratorTraits>;

// The device context of a window's client area, released with the object.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A paint cycle of a window: BeginPaint with the object, EndPaint after it.
class PaintSession {
public:
    explicit PaintSession(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintSession() { EndPaint(window_, &paint_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;

    HDC dc() const { return dc_; }
    const PAINTSTRUCT& paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// The clipboard, opened for the life of the object (when isOpen()).
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardSession() {
        if (open_) CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    bool isOpen() const { return open_; }

private:
    bool open_;
};

// A global memory block locked for the life of the object. size() is the
// block's size in bytes: a reader never goes past it.
class GlobalLockView {
public:
    explicit GlobalLockView(HGLOBAL block)
        : block_(block), data_(block != nullptr ? GlobalLock(block) : nullptr) {
        size_ = data_ != nullptr ? GlobalSize(block) : 0;
    }
    ~GlobalLockView() {
        if (data_ != nullptr) GlobalUnlock(block_);
    }
    GlobalLockView(const GlobalLockView&) = delete;
    GlobalLockView& operator=(const GlobalLockView&) = delete;

    void* data() const { return data_; }
    std::size_t size() const { return size_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    HGLOBAL block_;
    void* data_;
    std::size_t size_ = 0;
};

// A storage medium received from a data object, released with the object.
class StorageMedium {
public:
    StorageMedium() = default;
    ~StorageMedium() {
        if (received_) ReleaseStgMedium(&medium_);
    }
    StorageMedium(const StorageMedium&) = delete;
    StorageMedium& operator=(const StorageMedium&) = delete;

    // For IDataObject::GetData; call markReceived() when it succeeded.
    STGMEDIUM* receive() { return &medium_; }
    void markReceived() { received_ = true; }
    const STGMEDIUM& get() const { return medium_; }

private:
    STGMEDIUM medium_{};
    bool received_ = false;
};

// OLE on this thread for the life of the object (clipboard data objects,
// drag and drop). Uninitialised only when the initialisation succeeded.
class OleSession {
public:
    OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialised_) OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

    bool initialised() const { return initialised_; }

private:
    bool initialised_;
};

// COM on this thread for the life of the object: a single-threaded
// apartment when the thread has none yet (an OLE thread already has one and
// only counts up and down). A thread in the multithreaded apartment keeps
// it; COM is usable there and nothing is undone.
class ComSession {
public:
    ComSession() {
        const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        balanced_ = SUCCEEDED(result);
        usable_ = balanced_ || result == RPC_E_CHANGED_MODE;
    }
    ~ComSession() {
        if (balanced_) CoUninitialize();
    }
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;

    bool usable() const { return usable_; }

private:
    bool balanced_ = false;
    bool usable_ = false;
};

// Owns one reference of a COM interface.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    explicit ComPtr(T* p) : p_(p) {}  // adopts the reference
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr& other) : p_(other.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr& operator=(const ComPtr& other) {
        ComPtr copy(other);
        std::swap(p_, copy.p_);
        return *this;
    }
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        ComPtr moved(std::move(other));
        std::swap(p_, moved.p_);
        return *this;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T** receive() {
        reset();
        return &p_;
    }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

private:
    T* p_ = nullptr;
};
