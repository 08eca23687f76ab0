#pragma once
// The user's hand on the plug-in's popup menu. The menu runs its own modal
// loop inside the icon click, so whoever clicks cannot act on it; a helper
// thread waits for the menu window of the clicking thread, records what it
// shows, then chooses an item or dismisses the menu. Every wait is bounded.
#include <windows.h>

#include <string>
#include <vector>

namespace host {

class HostEmulator;

struct SeenMenuItem {
    UINT id = 0;
    bool separator = false;
    std::string caption;  // as the menu holds it (code page 1251); empty for a separator
};

struct SeenMenu {
    bool opened = false;   // a visible menu window of the thread appeared in time
    bool closed = false;   // and went away again after the action
    RECT window = {};      // the menu window on the screen
    POINT cursor = {};     // the mouse cursor while it was open
    std::vector<SeenMenuItem> items;
};

enum class MenuAction {
    KeyboardChoice,  // Home, Down to the item, Enter, posted to the menu window
    MouseChoice,     // a left click on the item
    Escape,          // Esc posted to the menu window
    ClickElsewhere,  // a left click at a point outside the menu
};

struct MenuRequest {
    MenuAction action = MenuAction::Escape;
    int commandItem = 0;    // 1-based among the items that are not separators
    POINT elsewhere = {};   // for ClickElsewhere, in screen coordinates
    DWORD timeoutMs = 5000;
};

class MenuDriver {
public:
    // Starts watching for a menu window that belongs to `uiThread`.
    MenuDriver(DWORD uiThread, MenuRequest request);
    ~MenuDriver();
    MenuDriver(const MenuDriver&) = delete;
    MenuDriver& operator=(const MenuDriver&) = delete;

    // Waits for the helper thread to end, then gives what it saw.
    SeenMenu Finish();

private:
    static DWORD WINAPI Run(LPVOID self);
    void Drive();

    DWORD uiThread_;
    MenuRequest request_;
    SeenMenu seen_;
    HANDLE thread_ = nullptr;
};

// Finds a visible popup menu window ("#32768") of a thread, or null.
HWND FindMenuWindow(DWORD thread);

// A right click on the plug-in's icon (button code 1 in EAX) with `request`
// carried out on the menu it opens. Returns once the icon callback returned,
// that is after the chosen command ran.
SeenMenu UseIconMenu(HostEmulator& emu, MenuRequest request);

}  // namespace host
