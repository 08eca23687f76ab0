#include "pref_window_support.h"

#include "user_input.h"

namespace wine_tests {

void PrefWindowTest::SetUp() {
    PluginTest::SetUp();
    Start();
    ASSERT_TRUE(emu().Initialize().has_value());
    form_ = FindForm();
    ASSERT_NE(form_, nullptr);
}

void PrefWindowTest::TearDown() {
    ReleaseKeys();
    if (form_ != nullptr) emu().Finalize();
    PluginTest::TearDown();
}

void PrefWindowTest::OpenPreferences() {
    emu().Preferences();
    Pump();
    ASSERT_TRUE(Shown(form_));
}

HWND PrefWindowTest::Control(int id) const { return FindDescendant(form_, id); }

RECT PrefWindowTest::InParent(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string PrefWindowTest::Text(HWND window) {
    const int n = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    GetWindowTextA(window, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    return text;
}

bool PrefWindowTest::Focused(int id) const {
    HWND control = Control(id);
    HWND focus = Focus();
    if (control == nullptr || focus == nullptr) return false;
    if (focus == control) return true;
    // The text box inside a combo box counts as the combo box.
    char name[32] = {};
    GetClassNameA(control, name, sizeof name);
    return GetParent(focus) == control && lstrcmpiA(name, "ComboBox") == 0;
}

void PrefWindowTest::PressKey(WPARAM key, HWND target) { user_input::PressKey(emu(), key, target); }

void PrefWindowTest::HoldKeys(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
}

void PrefWindowTest::ReleaseKeys() {
    BYTE state[256] = {};
    GetKeyboardState(state);
    for (int key : {VK_SHIFT, VK_LSHIFT, VK_CONTROL, VK_LCONTROL, VK_MENU}) state[key] = 0;
    SetKeyboardState(state);
}

void PrefWindowTest::Click(HWND window, POINT at) { user_input::Click(emu(), window, at); }

void PrefWindowTest::Click(HWND window) { user_input::Click(emu(), window); }

void PrefWindowTest::ClickTab(int page) { user_input::ClickTab(emu(), Control(pid::pcPages), page); }

int PrefWindowTest::ActivePage() const {
    return static_cast<int>(SendMessageA(Control(pid::pcPages), TCM_GETCURSEL, 0, 0));
}

}  // namespace wine_tests
