#pragma once
// Pictures of what the screen shows, for people to look at after a run.
#include <windows.h>

#include <string>

namespace host {

// Saves the screen inside a window's rectangle as a 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::string& path);

}  // namespace host
