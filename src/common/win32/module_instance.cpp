#include "common/win32/module_instance.h"

#include <vector>

namespace ow {

namespace {
HINSTANCE g_module = nullptr;
}  // namespace

void SetModuleInstance(HINSTANCE module) { g_module = module; }

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
