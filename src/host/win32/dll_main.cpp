#include <windows.h>

#include <vector>

#include "host/win32/module_instance.h"

namespace {
HINSTANCE g_module = nullptr;
}

namespace ow {
HINSTANCE ModuleInstance() { return g_module; }

HMODULE TakeModuleReference() {
    // By the wide path: the ANSI one cannot name every folder the messenger
    // may live in.
    static constexpr DWORD kLongestPath = 32768;
    std::vector<wchar_t> path(kLongestPath);
    const DWORD length = GetModuleFileNameW(g_module, path.data(), kLongestPath);
    if (length == 0 || length >= kLongestPath) return nullptr;
    return LoadLibraryW(path.data());
}
}  // namespace ow

// Loading the library runs nothing of the plug-in's own: the host starts it
// with its first event.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
