#pragma once
// The preferences window opened through the host, as the user sees it, and
// the input a user gives it, delivered through the host's plain message
// loop (no IsDialogMessage anywhere).
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "prefs/win32/pref_control_ids.h"
#include "wine_fixture.h"

namespace wine_tests {

namespace pid = ow::pref_id;

class PrefWindowTest : public PluginTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the window through PE_PREFERENCES (the settings are loaded first).
    void OpenPreferences();

    HWND form() const { return form_; }
    HWND Control(int id) const;  // any window of the form by its id
    static RECT InParent(HWND window);
    static std::string Text(HWND window);
    static bool Shown(HWND window) { return IsWindowVisible(window) != FALSE; }

    // The window holding the keyboard focus, and whether it is `id`.
    static HWND Focus() { return GetFocus(); }
    bool Focused(int id) const;

    // Posts a key press to `target` (the focused window when null) and runs
    // the host's loop, which translates and dispatches it.
    void PressKey(WPARAM key, HWND target = nullptr);
    // Holds Shift or Ctrl for the keys pressed meanwhile.
    void HoldKeys(std::initializer_list<int> keys);
    void ReleaseKeys();
    // A left click at a point of a window's client area.
    void Click(HWND window, POINT at);
    void Click(HWND window);  // in its middle
    // A click on a page's tab.
    void ClickTab(int page);
    int ActivePage() const;

    void Pump(DWORD ms = 50) { emu().Pump(ms); }

private:
    HWND form_ = nullptr;
};

}  // namespace wine_tests
