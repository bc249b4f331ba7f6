#pragma once
// One RAII policy template for every Win32 handle kind, with one alias per kind. A traits
// class names the handle type, its invalid value and how it is closed.

#include <windows.h>

#include <utility>

namespace tressel {

template <typename Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }
    Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid()) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) Traits::Close(old);
    }
    // For APIs that fill in a handle through a pointer; closes the current one first.
    Handle* put() noexcept {
        reset();
        return &handle_;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

namespace handle_traits {
struct Kernel {  // CreateThread, CreateMutexW, OpenProcessToken, CreateEventW ...
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct File {  // CreateFileW: INVALID_HANDLE_VALUE means none
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct RegistryKey {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};
template <typename T>
struct GdiObject {  // HBITMAP, HBRUSH, HFONT, HPEN ...
    using Handle = T;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
struct MemoryDC {  // CreateCompatibleDC
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteDC(h); }
};
struct Icon {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};
struct Menu {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyMenu(h); }
};
struct Module {  // LoadLibraryW
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
};
struct GlobalMemory {  // GlobalAlloc
    using Handle = HGLOBAL;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::GlobalFree(h); }
};
struct Hook {  // SetWindowsHookExW
    using Handle = HHOOK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::UnhookWindowsHookEx(h); }
};
struct WinEventHook {  // SetWinEventHook
    using Handle = HWINEVENTHOOK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::UnhookWinEvent(h); }
};
template <typename Interface>
struct ComReference {  // one reference to a COM object: released, never deleted
    using Handle = Interface*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { h->Release(); }
};
}  // namespace handle_traits

using UniqueKernelHandle = UniqueHandle<handle_traits::Kernel>;
using UniqueFileHandle = UniqueHandle<handle_traits::File>;
using UniqueRegistryKey = UniqueHandle<handle_traits::RegistryKey>;
using UniqueBitmap = UniqueHandle<handle_traits::GdiObject<HBITMAP>>;
using UniqueBrush = UniqueHandle<handle_traits::GdiObject<HBRUSH>>;
using UniqueFont = UniqueHandle<handle_traits::GdiObject<HFONT>>;
using UniquePen = UniqueHandle<handle_traits::GdiObject<HPEN>>;
using UniqueMemoryDC = UniqueHandle<handle_traits::MemoryDC>;
using UniqueIcon = UniqueHandle<handle_traits::Icon>;
using UniqueMenu = UniqueHandle<handle_traits::Menu>;
using UniqueModule = UniqueHandle<handle_traits::Module>;
using UniqueGlobalMemory = UniqueHandle<handle_traits::GlobalMemory>;
using UniqueHook = UniqueHandle<handle_traits::Hook>;
using UniqueWinEventHook = UniqueHandle<handle_traits::WinEventHook>;
template <typename Interface>
using UniqueComPtr = UniqueHandle<handle_traits::ComReference<Interface>>;

}  // namespace tressel
