#include <windows.h>

#include "common/win32/module_instance.h"
#include "host/win32/plugin_module.h"

namespace __gnu_cxx {
// The runtime's reserve for throwing when memory is short; it is allocated
// when the library loads and is otherwise never freed.
void __freeres();
}  // namespace __gnu_cxx

// Loading the library runs nothing of the plug-in's own: the host starts it
// with its first event. Unloading only frees memory (nothing else may be done
// while the system holds its loader lock), and nothing at all when the
// process is ending: the system takes everything back then.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        ow::SetModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        ow::PluginModule::FreeAtUnload();
        __gnu_cxx::__freeres();
    }
    return TRUE;
}
