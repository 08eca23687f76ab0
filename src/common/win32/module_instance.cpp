#include "common/win32/module_instance.h"

namespace ow {

namespace {
HINSTANCE g_module = nullptr;
}  // namespace

void SetModuleInstance(HINSTANCE module) { g_module = module; }

HINSTANCE ModuleInstance() { return g_module; }

HMODULE TakeModuleReference() {
    // By an address inside the library: no path to spell, whatever folder the
    // messenger lives in.
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&g_module), &module))
        return nullptr;
    return module;
}

}  // namespace ow
