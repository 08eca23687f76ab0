#pragma once
// The plug-in's own reference on its library while it runs. The messenger may
// finalise the plug-in and unload it (FreeLibrary) from a message that the
// plug-in itself dispatches (a download's wait, a message box, the popup
// menu), with the plug-in's code still on its thread's stack below: this
// reference keeps the library mapped until that code is gone.
#include <windows.h>

namespace ow {

class LibraryHold {
public:
    LibraryHold() = default;
    ~LibraryHold() { Release(); }
    LibraryHold(LibraryHold&& other) noexcept : module_(other.module_) { other.module_ = nullptr; }
    LibraryHold& operator=(LibraryHold&& other) noexcept;
    LibraryHold(const LibraryHold&) = delete;
    LibraryHold& operator=(const LibraryHold&) = delete;

    // None when no reference could be taken.
    static LibraryHold Take();
    explicit operator bool() const { return module_ != nullptr; }

    // Gives the reference back. In a call the host made directly it goes at
    // once: the host holds a reference of its own while it calls. Deeper, it
    // goes only once the host's thread has left the plug-in and looked at its
    // messages again, from its own loop: by then no code of the plug-in is
    // on its stack, whatever the messenger has unloaded meanwhile.
    void Release() noexcept;

    // The host's thread has left the plug-in's code (plugin_call.h).
    static void HostThreadLeft() noexcept;

private:
    explicit LibraryHold(HMODULE module) : module_(module) {}
    HMODULE module_ = nullptr;
};

}  // namespace ow
