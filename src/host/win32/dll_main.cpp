#include <windows.h>

#include "common/win32/module_instance.h"

// Loading the library runs nothing of the plug-in's own: the host starts it
// with its first event.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        ow::SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
