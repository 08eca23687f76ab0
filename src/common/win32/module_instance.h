#pragma once
#include <windows.h>

namespace ow {
// The library's own module handle, for its resources and window classes.
// Set once, when the library is loaded.
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE module);

// One more reference on the library, so that it stays mapped after the host
// has given back its own. Whoever takes one gives it back with FreeLibrary,
// or with FreeLibraryAndExitThread from a thread of the plug-in's own. Null
// when none could be taken.
HMODULE TakeModuleReference();
}  // namespace ow
