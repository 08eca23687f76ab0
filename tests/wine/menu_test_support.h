#pragma once
// The plug-in initialised in the host emulator against the sample weather
// server, with the user's hand on its popup menu (through the real menu, from
// a helper thread) and on the preferences window the menu opens.
#include <windows.h>

#include <string>
#include <utility>

#include "display/core/window_timers.h"
#include "menu_driver.h"
#include "wine_fixture.h"

namespace wine_tests {

// The popup menu's command items, 1-based among the items that are not
// separators, in display order.
enum MenuCommand : int { kCmdRefresh = 1, kCmdInsert = 2, kCmdOptions = 3, kCmdAbout = 4 };

class MenuTest : public PluginTest {
protected:
    // plugins\ostixweather.ini for the first Gismeteo town through the sample
    // server as proxy (a closed port when no server runs), no ticker unless
    // asked for, no re-display.
    static void WriteSettings(bool scroll = false);
    // Settings written, emulator started with `layout`, PE_INITIALIZE answered.
    host::HostEmulator& StartInitialised(host::WindowLayout layout = {});

    // A right click on the icon with the mouse at `cursor`, then the n-th
    // command chosen with the keyboard; the host's loop runs a moment after.
    host::SeenMenu Choose(int command, POINT cursor = kCursor);
    host::SeenMenu UseMenu(host::MenuRequest request, POINT cursor = kCursor);

    // The weather line a refresh shows, without the status-bar prefix.
    std::string RefreshedLine();

    HWND form() const { return FindForm(); }
    HWND Tabs() const;         // the form's page control
    int ActivePage() const;    // TCM_GETCURSEL of the page control
    HWND Page(int id) const;   // a page of the page control by its window id
    // Whether the form's timer ran; it does not run afterwards.
    bool TimerWasRunning(UINT_PTR id) const { return KillTimer(form(), id) != FALSE; }

    static std::string Text(HWND window);
    static std::pair<DWORD, DWORD> Selection(HWND edit);  // EM_GETSEL: start and end
    static std::string Prefix();
    // What the insertion keeps of a text: no bytes up to 0x20 at either end.
    static std::string Trimmed(const std::string& text);
    static bool HaveServer();  // a sample weather server runs for this test  // "ПОГОДА: " in code page 1251

    static constexpr POINT kCursor = {200, 150};
};

}  // namespace wine_tests
