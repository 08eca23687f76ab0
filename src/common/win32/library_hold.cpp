#include "common/win32/library_hold.h"

#include <array>
#include <utility>

#include "common/win32/module_instance.h"
#include "common/win32/plugin_call.h"

namespace ow {

namespace {

// References given back inside a nested call, waiting for the host's thread
// to leave. Only that thread touches this. Should more ever wait than there
// is room for, the rest are kept: a library that stays mapped is harmless.
std::array<HMODULE, 8> g_waiting{};
std::size_t g_waitingCount = 0;

// The host's thread answers a message sent to one of its windows only when
// it looks at its messages: outside the plug-in, as the plug-in's code has
// left its stack by the time this thread starts. The window is a system
// class's, so answering runs none of the plug-in's code, and WM_CLOSE makes
// the host's thread destroy it. Then the reference goes, with this thread.
DWORD WINAPI GiveBackOnceTheHostIsOut(void* window) {
    SendMessageA(static_cast<HWND>(window), WM_CLOSE, 0, 0);
    FreeLibraryAndExitThread(ModuleInstance(), 0);
    return 0;
}

// On the host's thread, after it left the plug-in. False when the reference
// must stay.
bool GiveBackLater() noexcept {
    HWND window = CreateWindowExA(0, "STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (window == nullptr) return false;
    HANDLE thread = CreateThread(nullptr, 0, &GiveBackOnceTheHostIsOut, window, 0, nullptr);
    if (thread == nullptr) {
        DestroyWindow(window);
        return false;
    }
    CloseHandle(thread);  // it ends on its own
    return true;
}

}  // namespace

LibraryHold& LibraryHold::operator=(LibraryHold&& other) noexcept {
    if (this != &other) {
        Release();
        module_ = std::exchange(other.module_, nullptr);
    }
    return *this;
}

LibraryHold LibraryHold::Take() { return LibraryHold(TakeModuleReference()); }

void LibraryHold::Release() noexcept {
    const HMODULE module = std::exchange(module_, nullptr);
    if (module == nullptr) return;
    if (PluginCall::Depth() <= 1) {
        FreeLibrary(module);
    } else if (g_waitingCount < g_waiting.size()) {
        g_waiting[g_waitingCount++] = module;
    }
}

void LibraryHold::HostThreadLeft() noexcept {
    while (g_waitingCount > 0) {
        if (!GiveBackLater()) {
            g_waitingCount = 0;  // kept for good
            return;
        }
        --g_waitingCount;
    }
}

}  // namespace ow
