#pragma once
#include <windows.h>

namespace ow {
// The library's own module handle, for its resources and window classes.
// Set once, when the library is loaded.
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE module);

// One more reference on the library, so that it stays mapped after the host
// has given back its own: for a thread of the plug-in that may outlive the
// plug-in's finalisation, which gives it back as it ends with
// FreeLibraryAndExitThread. Null when none could be taken.
HMODULE TakeModuleReference();
}  // namespace ow
