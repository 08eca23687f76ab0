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
// The handle kinds whose "none" is null, by their type and their release.
template <class Handle, auto Close>
struct NullHandleTraits {
    using pointer = Handle;
    static pointer invalid() noexcept { return nullptr; }
    static void close(pointer h) noexcept { Close(h); }
};

using UniqueFile = UniqueHandle<FileTraits>;
// Events, threads and other kernel objects whose failure value is null.
using UniqueKernelHandle = UniqueHandle<NullHandleTraits<HANDLE, &CloseHandle>>;
using UniqueWindow = UniqueHandle<NullHandleTraits<HWND, &DestroyWindow>>;
using UniqueIcon = UniqueHandle<NullHandleTraits<HICON, &DestroyIcon>>;
using UniqueGdiObject = UniqueHandle<NullHandleTraits<HGDIOBJ, &DeleteObject>>;
using UniqueMenu = UniqueHandle<NullHandleTraits<HMENU, &DestroyMenu>>;

}  // namespace ow
