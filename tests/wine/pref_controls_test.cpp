// The real controls behind the settings operations: what a stored file
// puts into them, and what the user sets in them reaching the file.
#include "pref_window_support.h"
#include "user_input.h"

namespace wine_tests {
namespace {

class PrefControlsTest : public PrefWindowTest {
protected:
    static void StoreSettings(const std::string& lines) {
        ASSERT_TRUE(WriteFileBytes(PluginsDir() + "\\ostixweather.ini", lines));
    }
    static std::string StoredSettings() { return ReadFileBytes(PluginsDir() + "\\ostixweather.ini"); }
    static bool Stores(const std::string& line) {
        return ("\r\n" + StoredSettings()).find("\r\n" + line + "\r\n") != std::string::npos;
    }

    // Types text into the focused window as the keyboard would.
    void Type(const std::string& text) { user_input::Type(emu(), text); }
};

TEST_F(PrefControlsTest, StoredValuesOutsideTheRangesAreTakenIntoThem) {
    StoreSettings("resource=1\r\ncity=999\r\nbar-section=15\r\nuse-scroll=1\r\nuse-scroll-speed=9\r\n");
    OpenPreferences();
    EXPECT_EQ(Text(Control(pid::sebarSection)), "10");
    EXPECT_EQ(SendMessageA(Control(pid::tbScrSpeed), TBM_GETPOS, 0, 0), 5);
    EXPECT_EQ(SendMessageA(Control(pid::cbResource), CB_GETCURSEL, 0, 0), 1);
    HWND towns = Control(pid::cbTowns);
    EXPECT_GT(SendMessageA(towns, CB_GETCOUNT, 0, 0), 60);
    EXPECT_EQ(SendMessageA(towns, CB_GETCURSEL, 0, 0), CB_ERR);  // no town 999
    EXPECT_EQ(Text(towns), "");
}

TEST_F(PrefControlsTest, NegativeStoredValuesStopAtTheLowEnds) {
    StoreSettings("bar-section=-4\r\nuse-scroll=1\r\nuse-scroll-speed=-2\r\n");
    OpenPreferences();
    EXPECT_EQ(Text(Control(pid::sebarSection)), "0");
    EXPECT_EQ(SendMessageA(Control(pid::tbScrSpeed), TBM_GETPOS, 0, 0), 1);
}

TEST_F(PrefControlsTest, TypedTownIsNoItemAndTestNamesWhatWasTyped) {
    OpenPreferences();
    SetFocus(Control(pid::cbTowns));  // selects the shown name, so typing replaces it
    Type(Cp1251(L"Урюпинск"));
    EXPECT_EQ(Text(Control(pid::cbTowns)), Cp1251(L"Урюпинск"));
    Click(Control(pid::bTest));
    EXPECT_EQ(Text(Control(pid::eTest)), Cp1251(L"ПОГОДА: Города 'Урюпинск' в списке нет"));
}

TEST_F(PrefControlsTest, WhatTheUserSetsReachesTheSettingsFile) {
    OpenPreferences();
    SetFocus(Control(pid::sebarSection));
    PressKey(VK_UP);  // 2 -> 3
    SetFocus(Control(pid::tbScrSpeed));
    PressKey(VK_RIGHT);  // 1 -> 2
    SetFocus(Control(pid::cbPeriod));
    PressKey(VK_DOWN);  // the second period
    SetFocus(Control(pid::cbTowns));
    PressKey(VK_DOWN);  // the second town
    Click(Control(pid::cbBarRefresh));  // unticked

    ClickTab(1);
    Click(Control(pid::cbUseProxy));
    SetFocus(Control(pid::eProxyHost));
    Type("proxy.example");
    PressKey(VK_TAB);  // to the port box, its 1080 selected
    Type("3128");
    Click(Control(pid::cbProxyAuth));
    SetFocus(Control(pid::eProxyLogin));
    Type("user");
    SetFocus(Control(pid::eProxyPass));
    Type("pa=ss");
    EXPECT_EQ(Text(Control(pid::eProxyPass)), "pa=ss");  // the text is kept, only shown as stars

    Click(Control(pid::bOk));
    ASSERT_FALSE(Shown(form()));
    for (const char* line : {"resource=0", "city=1", "autoupdate=1", "bar-section=3", "bar-refresh=0", "old-style=0",
                             "use-scroll=1", "use-proxy=1", "proxy-host=proxy.example", "proxy-port=3128",
                             "proxy-auth=1", "proxy-login=user", "proxy-pass=pa=ss", "use-scroll-speed=2"}) {
        EXPECT_TRUE(Stores(line)) << line << " in\n" << StoredSettings();
    }
}

}  // namespace
}  // namespace wine_tests
