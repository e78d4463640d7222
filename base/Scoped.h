// Owners of Win32 handles: each one releases its handle when it goes, however
// the scope ends (a return, an exception). None can be copied; a copy would
// release the handle twice.
#pragma once
#include <windows.h>

#include <commctrl.h>
#include <winspool.h>

#include <utility>

namespace base {

// A handle with a release function; `Invalid` is the value that owns nothing.
template <typename Handle, auto Release, auto Invalid = Handle{}>
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : handle_(handle) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Detach()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        if (this != &other) Reset(other.Detach());
        return *this;
    }

    Handle get() const { return handle_; }
    bool valid() const { return handle_ != Handle(Invalid); }
    explicit operator bool() const { return valid(); }
    // Releases the handle held now and owns `handle` instead.
    void Reset(Handle handle = Handle(Invalid)) {
        if (valid()) Release(handle_);
        handle_ = handle;
    }
    // Gives the handle up without releasing it.
    Handle Detach() { return std::exchange(handle_, Handle(Invalid)); }
    // For functions that return a handle through a pointer: releases the
    // handle held now and lends the slot.
    Handle* Receive() {
        Reset();
        return &handle_;
    }

private:
    Handle handle_ = Handle(Invalid);
};

namespace detail {
inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void CloseFind(HANDLE handle) { FindClose(handle); }
inline void CloseRegistryKey(HKEY key) { RegCloseKey(key); }
inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyCursorHandle(HCURSOR cursor) { DestroyCursor(cursor); }
inline void DeleteDeviceContext(HDC dc) { DeleteDC(dc); }
inline void DestroyWindowHandle(HWND window) { DestroyWindow(window); }
inline void FreeGlobalMemory(HGLOBAL block) { GlobalFree(block); }
inline void FreeLocalMemory(HLOCAL block) { LocalFree(block); }
inline void ClosePrinterHandle(HANDLE printer) { ClosePrinter(printer); }
inline void DestroyImageList(HIMAGELIST images) { ImageList_Destroy(images); }
}  // namespace detail

// A kernel object: file, mutex, process, thread (null owns nothing).
using KernelHandle = ScopedHandle<HANDLE, detail::CloseKernelHandle>;
// A file opened with CreateFileW, which answers INVALID_HANDLE_VALUE on failure.
using FileHandle = ScopedHandle<HANDLE, detail::CloseKernelHandle, -1>;
// A search of FindFirstFileW, which answers INVALID_HANDLE_VALUE on failure.
using FindHandle = ScopedHandle<HANDLE, detail::CloseFind, -1>;
using RegistryKey = ScopedHandle<HKEY, detail::CloseRegistryKey>;
// A cursor loaded from a file (not a shared system cursor).
using OwnedCursor = ScopedHandle<HCURSOR, detail::DestroyCursorHandle>;
// A window the program created and has not handed on yet.
using OwnedWindow = ScopedHandle<HWND, detail::DestroyWindowHandle>;
// A block from GlobalAlloc, or one a dialog handed out, until Detach hands
// it to its next owner (the clipboard takes the blocks it is given).
using GlobalMemory = ScopedHandle<HGLOBAL, detail::FreeGlobalMemory>;
// A buffer the system allocated for the caller (FormatMessageW).
using LocalMemory = ScopedHandle<HLOCAL, detail::FreeLocalMemory>;
// A printer opened with OpenPrinterW.
using OpenedPrinter = ScopedHandle<HANDLE, detail::ClosePrinterHandle>;
// An image list that no control destroys by itself (a toolbar's is lent).
using ImageList = ScopedHandle<HIMAGELIST, detail::DestroyImageList>;
// A device context from CreateDCW or CreateCompatibleDC.
using DeviceContext = ScopedHandle<HDC, detail::DeleteDeviceContext>;

// A bitmap, brush, pen, font or region that the program created.
template <typename Object>
using GdiObject = ScopedHandle<Object, detail::DeleteGdiObject>;

// A device context of a window (null: the screen), from GetDC or GetWindowDC.
class WindowDC {
public:
    enum Area { Client, WholeWindow };
    explicit WindowDC(HWND window, Area area = Client)
        : window_(window), dc_(area == Client ? GetDC(window) : GetWindowDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// A memory device context from CreateCompatibleDC.
class MemoryDC : public DeviceContext {
public:
    explicit MemoryDC(HDC like) : DeviceContext(CreateCompatibleDC(like)) {}
};

// The device context of one WM_PAINT, from BeginPaint to EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// Selects an object into a device context and puts the one before it back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A global memory block locked while the object lives.
class LockedGlobal {
public:
    explicit LockedGlobal(HGLOBAL block) : block_(block), data_(block ? ::GlobalLock(block) : nullptr) {}
    ~LockedGlobal() {
        if (data_) GlobalUnlock(block_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    void* data() const { return data_; }
    // Size of the block in bytes; 0 when it could not be locked.
    SIZE_T size() const { return data_ ? GlobalSize(block_) : 0; }

private:
    HGLOBAL block_;
    void* data_;
};

// A COM interface pointer that holds one reference.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over the reference that `adopted` comes with (a new object's first).
    explicit ComPtr(Interface* adopted) : pointer_(adopted) {}
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    Interface* get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void Reset() {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }
    // For functions that hand out a new reference through a pointer.
    Interface** Receive() {
        Reset();
        return &pointer_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace base
