// The preferences window under the user's hands, in the host's plain
// message loop: Tab order, Enter and Esc, close requests, pages, and the
// controls that show and hide others.
#include "pref_window_support.h"
#include "prefs/core/text_lines.h"

namespace wine_tests {
namespace {

class PrefKeysTest : public PrefWindowTest {
protected:
    void SetUp() override {
        PrefWindowTest::SetUp();
        OpenPreferences();
    }

    // Presses Tab (with what is held) `count` times from `start`, noting
    // where the focus lands each time.
    std::vector<int> TabFrom(int start, int count) {
        SetFocus(Control(start));
        std::vector<int> visited;
        for (int i = 0; i < count; ++i) {
            PressKey(VK_TAB);
            visited.push_back(FocusedId());
        }
        return visited;
    }

    int FocusedId() const {
        for (int id = pid::pcPages; id < pid::kMenuCommandBase; ++id) {
            if (id != pid::sebarSectionArrows && Focused(id)) return id;
        }
        return 0;
    }

    std::string TestBoxText() { return Text(Control(pid::eTest)); }
};

TEST_F(PrefKeysTest, TabWalksTheSettingsPageInItsOrderAndComesRound) {
    const std::vector<int> order = {pid::eTest,    pid::bTest,        pid::cbTowns, pid::cbPeriod,
                                    pid::cbScroll, pid::tbScrSpeed,   pid::cbResource,
                                    pid::sebarSection, pid::cbBarRefresh, pid::bCancel, pid::bOk, pid::pcPages};
    EXPECT_EQ(TabFrom(pid::pcPages, static_cast<int>(order.size())), order);
}

TEST_F(PrefKeysTest, ShiftTabWalksBackwards) {
    HoldKeys({VK_SHIFT});
    const std::vector<int> order = {pid::bOk, pid::bCancel, pid::cbBarRefresh, pid::sebarSection, pid::cbResource};
    EXPECT_EQ(TabFrom(pid::pcPages, 5), order);
}

TEST_F(PrefKeysTest, TabSkipsHiddenControls) {
    Click(Control(pid::cbScroll));  // unticked: the speed bar goes
    ASSERT_FALSE(Shown(Control(pid::tbScrSpeed)));
    const std::vector<int> order = {pid::cbResource};
    EXPECT_EQ(TabFrom(pid::cbScroll, 1), order);
}

TEST_F(PrefKeysTest, TabOnTheConnectionPageEntersTheProxyGroupWhenShown) {
    ClickTab(1);
    ASSERT_EQ(ActivePage(), 1);
    EXPECT_EQ(TabFrom(pid::pcPages, 4), (std::vector<int>{pid::cbUseProxy, pid::bCancel, pid::bOk, pid::pcPages}));

    Click(Control(pid::cbUseProxy));
    Click(Control(pid::cbProxyAuth));
    const std::vector<int> order = {pid::cbUseProxy, pid::eProxyHost, pid::eProxyPort, pid::cbProxyAuth,
                                    pid::eProxyLogin, pid::eProxyPass, pid::bCancel, pid::bOk};
    EXPECT_EQ(TabFrom(pid::pcPages, static_cast<int>(order.size())), order);
}

TEST_F(PrefKeysTest, TabIntoAnEditSelectsItsText) {
    ClickTab(1);
    Click(Control(pid::cbUseProxy));
    TabFrom(pid::cbUseProxy, 2);  // to the port box
    ASSERT_TRUE(Focused(pid::eProxyPort));
    DWORD start = 1, end = 0;
    SendMessageA(Control(pid::eProxyPort), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
}

TEST_F(PrefKeysTest, EnterInTheTownBoxRunsTheTest) {
    HWND towns = Control(pid::cbTowns);
    SetFocus(towns);
    SendMessageA(towns, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextA(towns, Cp1251(L"Нигде").c_str());
    PressKey(VK_RETURN);
    EXPECT_EQ(TestBoxText(), Cp1251(L"ПОГОДА: Города 'Нигде' в списке нет"));
    EXPECT_TRUE(Shown(form()));
    EXPECT_EQ(Text(towns), Cp1251(L"Нигде"));  // no stray character typed
}

TEST_F(PrefKeysTest, EnterOnAnotherPageStillRunsTheTest) {
    SendMessageA(Control(pid::cbTowns), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ClickTab(1);
    SetFocus(Control(pid::cbUseProxy));
    PressKey(VK_RETURN);
    EXPECT_EQ(TestBoxText().rfind(Cp1251(L"ПОГОДА: Города '"), 0), 0u) << TestBoxText();
}

TEST_F(PrefKeysTest, EnterOnAFocusedButtonPressesThatButton) {
    const std::string before = TestBoxText();
    SetFocus(Control(pid::bCancel));
    PressKey(VK_RETURN);
    EXPECT_FALSE(Shown(form()));  // Cancel hides
    EXPECT_EQ(TestBoxText(), before);  // and Test did not run

    OpenPreferences();
    const auto saves = [this] {
        const auto log = LogMessages();
        return std::count(log.begin(), log.end(), "Save settings");
    };
    const auto savedBefore = saves();
    SetFocus(Control(pid::bOk));
    PressKey(VK_RETURN);
    EXPECT_FALSE(Shown(form()));
    EXPECT_EQ(saves(), savedBefore + 1);
}

TEST_F(PrefKeysTest, EscapeCancelsFromAnyControl) {
    for (int id : {pid::eTest, pid::cbTowns, pid::tbScrSpeed, pid::sebarSection, pid::pcPages, pid::bOk}) {
        SCOPED_TRACE(id);
        OpenPreferences();
        SetFocus(Control(id));
        PressKey(VK_ESCAPE);
        EXPECT_FALSE(Shown(form()));
    }
}

TEST_F(PrefKeysTest, KeysForAnOpenListAreTheListsOwn) {
    HWND period = Control(pid::cbPeriod);
    const std::string before = TestBoxText();
    SetFocus(period);
    SendMessageA(period, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(SendMessageA(period, CB_GETDROPPEDSTATE, 0, 0));
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(SendMessageA(period, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_TRUE(Shown(form()));
    SendMessageA(period, CB_SHOWDROPDOWN, TRUE, 0);
    PressKey(VK_RETURN);
    EXPECT_FALSE(SendMessageA(period, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(TestBoxText(), before);
}

TEST_F(PrefKeysTest, CloseRequestsOnlyHideTheForm) {
    const auto keyDownWithAlt = static_cast<LPARAM>(MapVirtualKeyA(VK_F4, MAPVK_VK_TO_VSC)) << 16 | 1 | (1 << 29);
    SetFocus(Control(pid::eTest));
    PostMessageA(Focus(), WM_SYSKEYDOWN, VK_F4, keyDownWithAlt);
    Pump();
    EXPECT_FALSE(Shown(form()));

    OpenPreferences();
    SendMessageA(form(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(Shown(form()));
    EXPECT_TRUE(IsWindow(form()));

    OpenPreferences();
    EXPECT_EQ(SendMessageA(form(), WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_FALSE(Shown(form()));
}

TEST_F(PrefKeysTest, TabsAndCtrlTabSwitchPages) {
    const int pages[] = {pid::tsOptions, pid::TabSheet1, pid::tsAbout};
    auto shownPage = [&] {
        int shown = -1;
        for (int i = 0; i < 3; ++i) {
            if (Shown(Control(pages[i]))) {
                EXPECT_EQ(shown, -1) << "two pages shown";
                shown = i;
            }
        }
        return shown;
    };
    ClickTab(2);
    EXPECT_EQ(ActivePage(), 2);
    EXPECT_EQ(shownPage(), 2);
    ClickTab(1);
    EXPECT_EQ(shownPage(), 1);

    SetFocus(Control(pid::cbUseProxy));
    HoldKeys({VK_CONTROL});
    PressKey(VK_TAB);
    EXPECT_EQ(ActivePage(), 2);
    EXPECT_EQ(shownPage(), 2);
    EXPECT_TRUE(IsWindowVisible(Focus())) << "the focus left the hidden page";
    PressKey(VK_TAB);
    EXPECT_EQ(shownPage(), 0);
    HoldKeys({VK_CONTROL, VK_SHIFT});
    PressKey(VK_TAB);
    EXPECT_EQ(shownPage(), 2);
}

TEST_F(PrefKeysTest, MouseReleaseOnTheBoxesShowsAndHidesTheirParts) {
    ClickTab(1);
    HWND group = Control(pid::gbProxy);
    Click(Control(pid::cbUseProxy));
    EXPECT_TRUE(Shown(group));
    Click(Control(pid::cbProxyAuth));
    for (int id : {pid::eProxyLogin, pid::lProxyLogin, pid::eProxyPass, pid::lProxyPass}) {
        EXPECT_TRUE(Shown(Control(id))) << id;
    }
    Click(Control(pid::cbProxyAuth));
    for (int id : {pid::eProxyLogin, pid::lProxyLogin, pid::eProxyPass, pid::lProxyPass}) {
        EXPECT_FALSE(Shown(Control(id))) << id;
    }
    Click(Control(pid::cbUseProxy));
    EXPECT_FALSE(Shown(group));

    ClickTab(0);
    HWND bar = Control(pid::tbScrSpeed);
    Click(Control(pid::cbScroll));
    EXPECT_FALSE(Shown(bar));
    Click(Control(pid::cbScroll));
    EXPECT_TRUE(Shown(bar));
    // The other box's release looks at the scrolling box too.
    SendMessageA(Control(pid::cbScroll), BM_SETCHECK, BST_UNCHECKED, 0);
    Click(Control(pid::cbBarRefresh));
    EXPECT_FALSE(Shown(bar));
}

TEST_F(PrefKeysTest, TickingWithTheSpaceBarLeavesVisibilityAlone) {
    ClickTab(1);
    HWND box = Control(pid::cbUseProxy);
    SetFocus(box);
    PostMessageA(box, WM_KEYDOWN, VK_SPACE, 0x00390001);
    PostMessageA(box, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
    Pump();
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(Shown(Control(pid::gbProxy)));  // only a mouse release shows it
}

TEST_F(PrefKeysTest, ChoosingTheOtherSourceFillsTheTownBox) {
    HWND towns = Control(pid::cbTowns);
    char first[128] = {};
    SendMessageA(towns, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    SetFocus(Control(pid::cbResource));
    PressKey(VK_DOWN);  // the closed list steps to its next item
    ASSERT_EQ(SendMessageA(Control(pid::cbResource), CB_GETCURSEL, 0, 0), 1);
    char now[128] = {};
    SendMessageA(towns, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(now));
    EXPECT_STRNE(now, first);
    for (const char* c = now; *c != '\0'; ++c) EXPECT_LT(static_cast<unsigned char>(*c), 0x80) << now;
    EXPECT_EQ(SendMessageA(towns, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Text(towns), now);
}

// Open-Meteo, the third item: its own list's towns, the first chosen.
TEST_F(PrefKeysTest, ChoosingOpenMeteoFillsTheTownBoxFromItsList) {
    SetFocus(Control(pid::cbResource));
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    ASSERT_EQ(SendMessageA(Control(pid::cbResource), CB_GETCURSEL, 0, 0), 2);
    HWND towns = Control(pid::cbTowns);
    const auto lines = ow::SplitLines(ReadFileBytes(DataFile("om_towns.ini")));
    ASSERT_EQ(SendMessageA(towns, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(lines.size()));
    EXPECT_EQ(SendMessageA(towns, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Text(towns) + "=", lines[0].substr(0, lines[0].find('=') + 1));
}

TEST_F(PrefKeysTest, KeyboardInputFromTheSystemTakesTheSameRoads) {
    SetForegroundWindow(form());
    SetFocus(Control(pid::eTest));
    auto send = [](WORD key, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &input, sizeof input);
    };
    send(VK_SHIFT, false);
    send(VK_TAB, false);
    send(VK_TAB, true);
    send(VK_SHIFT, true);
    Pump(100);
    EXPECT_TRUE(Focused(pid::pcPages));
    send(VK_ESCAPE, false);
    send(VK_ESCAPE, true);
    Pump(100);
    EXPECT_FALSE(Shown(form()));
}

}  // namespace
}  // namespace wine_tests
