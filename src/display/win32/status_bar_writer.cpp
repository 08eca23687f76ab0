#include "display/win32/status_bar_writer.h"

#include <commctrl.h>

#include <string>

namespace ow {

bool WriteStatusBar(HWND hostMainWindow, int section, std::string_view message) {
    if (hostMainWindow == nullptr || !IsWindow(hostMainWindow)) return false;
    HWND bar = FindWindowExA(hostMainWindow, nullptr, "TStatusBar", nullptr);
    if (bar == nullptr) return false;
    const std::string text(message);  // zero-terminated copy for the message
    SendMessageA(bar, SB_SETTEXTA, static_cast<WPARAM>(section), reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

}  // namespace ow
