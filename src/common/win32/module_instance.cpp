#include "common/win32/module_instance.h"

#include <vector>

namespace ow {

namespace {
HINSTANCE g_module = nullptr;
}  // namespace

void SetModuleInstance(HINSTANCE module) { g_module = module; }

HINSTANCE ModuleInstance() { return g_module; }

namespace {
constexpr DWORD kLongestPath = 32768;

template <class Char, class GetName, class Load>
HMODULE LoadOwnFile(GetName getName, Load load) {
    std::vector<Char> path(kLongestPath);
    const DWORD length = getName(g_module, path.data(), kLongestPath);
    if (length == 0 || length >= kLongestPath) return nullptr;
    return load(path.data());
}
}  // namespace

HMODULE TakeModuleReference() {
    // By the wide path: the ANSI one cannot name every folder the messenger
    // may live in. Every supported Windows has the wide calls; the ANSI ones
    // are only a second try should they fail.
    if (HMODULE module = LoadOwnFile<wchar_t>(&GetModuleFileNameW, &LoadLibraryW)) return module;
    return LoadOwnFile<char>(&GetModuleFileNameA, &LoadLibraryA);
}

}  // namespace ow
