#pragma once
#include <windows.h>

#include <string>

namespace ow {
// A window's whole text, whatever its length, also when it changes between
// asking for the length and reading. Empty for no window.
std::string ReadWindowText(HWND window);
}  // namespace ow
