#pragma once
// Finding a control among a window's descendants: the preferences' controls
// sit on tab pages, not on the form itself.
#include <windows.h>

namespace host {

// The first descendant of `parent` with the control id `id`, or null.
HWND FindDescendant(HWND parent, int id);

}  // namespace host
