#include "place_search_hand.h"

#include <windows.h>

#include "child_window.h"
#include "host_emulator.h"
#include "prefs/win32/place_search_window.h"
#include "prefs/win32/pref_control_ids.h"
#include "window_picture.h"

namespace host {

namespace {

std::string Text(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<std::string> Rows(HWND list) {
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) continue;
        std::string row(static_cast<std::size_t>(length) + 1, '\0');
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(row.data()));
        row.resize(static_cast<std::size_t>(length));
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

HWND OpenPlaceSearch(HostEmulator& emu) {
    HWND find = FindDescendant(FindWindowA(ow::pref_id::kFormClass, nullptr), ow::pref_id::bFindPlace);
    if (find == nullptr) return nullptr;
    SendMessageA(find, BM_CLICK, 0, 0);
    emu.Pump(200);
    HWND search = FindWindowA(ow::kPlaceSearchClass, nullptr);
    return search != nullptr && IsWindowVisible(search) ? search : nullptr;
}

PlaceSearchSeen SearchForPlace(HostEmulator& emu, const std::string& cp1251Name, int row,
                               const std::string& picture) {
    PlaceSearchSeen seen;
    HWND search = OpenPlaceSearch(emu);
    if (search == nullptr) return seen;
    seen.opened = true;

    SetWindowTextA(GetDlgItem(search, ow::place_search_id::kNameBox), cp1251Name.c_str());
    // The button runs the search in the host's loop and returns with its answer.
    SendMessageA(GetDlgItem(search, ow::place_search_id::kSearch), BM_CLICK, 0, 0);
    emu.Pump(300);
    HWND list = GetDlgItem(search, ow::place_search_id::kList);
    seen.rows = Rows(list);
    seen.status = Text(GetDlgItem(search, ow::place_search_id::kStatus));
    seen.pictured = SaveWindowPicture(search, picture);

    if (row >= 0 && static_cast<std::size_t>(row) < seen.rows.size()) {
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
        SendMessageA(GetDlgItem(search, ow::place_search_id::kChoose), BM_CLICK, 0, 0);
        emu.Pump(200);
    }
    SendMessageA(FindDescendant(FindWindowA(ow::pref_id::kFormClass, nullptr), ow::pref_id::bOk), BM_CLICK, 0, 0);
    emu.Pump(100);
    return seen;
}

}  // namespace host
