#pragma once
// The user's hand on the preferences' place search, for the demo: "Найти…"
// beside the town box, a name typed and Enter, a picture of what the search
// window shows, one place chosen and the preferences confirmed with OK.
#include <windows.h>

#include <string>
#include <vector>

namespace host {

class HostEmulator;

struct PlaceSearchSeen {
    bool opened = false;            // the preferences and the search window were there
    std::vector<std::string> rows;  // the places listed (code page 1251)
    std::string status;             // the window's line (code page 1251)
    bool pictured = false;
};

// With the preferences open: "Найти…" pressed; the search window once it
// shows, or null.
HWND OpenPlaceSearch(HostEmulator& emu);

// With the preferences open: searches for `cp1251Name`, saves a picture of
// the search window to `picture`, chooses the 0-based `row` (none when it is
// out of the list) and presses OK.
PlaceSearchSeen SearchForPlace(HostEmulator& emu, const std::string& cp1251Name, int row,
                               const std::string& picture);

}  // namespace host
