#pragma once
#include <windows.h>

namespace ow {
// The library's own module handle, for its resources and window classes.
HINSTANCE ModuleInstance();
}  // namespace ow
