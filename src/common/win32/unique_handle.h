#pragma once
// Move-only owner of a Win32 handle; one traits class per handle kind.
#include <windows.h>

#include <utility>

namespace ow {

template <class Traits>
class UniqueHandle {
public:
    using pointer = typename Traits::pointer;
    explicit UniqueHandle(pointer h = Traits::invalid()) noexcept : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        reset(o.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    pointer get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::invalid(); }
    pointer release() noexcept { return std::exchange(h_, Traits::invalid()); }
    void reset(pointer h = Traits::invalid()) noexcept {
        if (h_ != Traits::invalid()) Traits::close(h_);
        h_ = h;
    }

private:
    pointer h_;
};

struct FileTraits {
    using pointer = HANDLE;
    static pointer invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(pointer h) noexcept { CloseHandle(h); }
};
// Events, threads and other kernel objects whose failure value is null.
struct KernelTraits {
    using pointer = HANDLE;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { CloseHandle(h); }
};
struct WindowTraits {
    using pointer = HWND;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { DestroyWindow(h); }
};
struct IconTraits {
    using pointer = HICON;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { DestroyIcon(h); }
};
struct GdiTraits {
    using pointer = HGDIOBJ;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { DeleteObject(h); }
};
struct MenuTraits {
    using pointer = HMENU;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { DestroyMenu(h); }
};

using UniqueFile = UniqueHandle<FileTraits>;
using UniqueKernelHandle = UniqueHandle<KernelTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueGdiObject = UniqueHandle<GdiTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;

}  // namespace ow
