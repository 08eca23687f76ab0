#include <windows.h>

#include "host/win32/module_instance.h"

namespace {
HINSTANCE g_module = nullptr;
}

namespace ow {
HINSTANCE ModuleInstance() { return g_module; }
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
