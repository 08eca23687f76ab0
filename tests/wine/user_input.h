#pragma once
// The user's keyboard and mouse on the plug-in's windows: posted to the
// window, then delivered by the host's plain message loop (no
// IsDialogMessage anywhere), which translates and dispatches them.
#include <windows.h>

#include <string>

#include "host_emulator.h"

namespace wine_tests::user_input {

// A key press for `target` (the focused window when null).
void PressKey(host::HostEmulator& emu, WPARAM key, HWND target = nullptr);
// A left click at a point of a window's client area, or in its middle.
void Click(host::HostEmulator& emu, HWND window, POINT at);
void Click(host::HostEmulator& emu, HWND window);
// A click on the tab of `page` of a tab control.
void ClickTab(host::HostEmulator& emu, HWND tabs, int page);
// Characters typed into the focused window.
void Type(host::HostEmulator& emu, const std::string& text);

}  // namespace wine_tests::user_input
