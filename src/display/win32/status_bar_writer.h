#pragma once
#include <windows.h>

#include <string_view>

namespace ow {
// Writes a message into one section of the host's "TStatusBar", looked up
// anew under the host window on every call. False when there is no bar.
bool WriteStatusBar(HWND hostMainWindow, int section, std::string_view message);
}  // namespace ow
