// "Настройки" and "About" from the popup menu: the preferences window on the
// settings page or on the About page, without reloading the settings.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "menu_test_support.h"
#include "window_picture.h"

#include "prefs/win32/pref_control_ids.h"

namespace wine_tests {
namespace {

namespace pid = ow::pref_id;

struct PageCase {
    const char* name;
    int command;
    int page;
    int pageId;
};
void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }

const PageCase kPageCases[] = {
    {"Options", kCmdOptions, 0, pid::tsOptions},
    {"About", kCmdAbout, 2, pid::tsAbout},
};

class MenuPageTest : public MenuTest, public testing::WithParamInterface<PageCase> {
protected:
    // The one page of the three that is shown.
    int ShownPageId() const {
        int shown = 0;
        for (int id : {pid::tsOptions, pid::TabSheet1, pid::tsAbout}) {
            if (IsWindowVisible(Page(id))) shown = shown == 0 ? id : -1;
        }
        return shown;
    }
    HWND ProxyHost() const { return GetDlgItem(GetDlgItem(Page(pid::TabSheet1), pid::gbProxy), pid::eProxyHost); }
};

TEST_P(MenuPageTest, OpensTheHiddenWindowOnItsPageAndStopsTheTimers) {
    auto& e = StartInitialised();
    ASSERT_FALSE(IsWindowVisible(form()));
    const host::SeenMenu seen = Choose(GetParam().command);
    ASSERT_TRUE(seen.opened);
    EXPECT_TRUE(seen.closed);
    ASSERT_TRUE(IsWindowVisible(form()));
    EXPECT_EQ(ActivePage(), GetParam().page);
    EXPECT_EQ(ShownPageId(), GetParam().pageId);
    EXPECT_EQ(GetForegroundWindow(), form());
    // FormShow ran: the update timer that initialisation started is gone.
    EXPECT_FALSE(TimerWasRunning(ow::kUpdateTimer));
    e.Finalize();
}

TEST_P(MenuPageTest, WithTheWindowOpenOnlyThePageChanges) {
    auto& e = StartInitialised();
    const int other = GetParam().command == kCmdOptions ? kCmdAbout : kCmdOptions;
    Choose(other);
    ASSERT_TRUE(IsWindowVisible(form()));
    // Somewhere the opening would not put it, and a timer the opening would stop.
    SetWindowPos(form(), nullptr, 13, 17, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    e.ClickIcon(0);
    e.Pump(50);

    const host::SeenMenu seen = Choose(GetParam().command);
    ASSERT_TRUE(seen.opened);
    EXPECT_TRUE(IsWindowVisible(form()));
    EXPECT_EQ(ActivePage(), GetParam().page);
    EXPECT_EQ(ShownPageId(), GetParam().pageId);
    RECT r = {};
    GetWindowRect(form(), &r);
    EXPECT_EQ(r.left, 13);
    EXPECT_EQ(r.top, 17);
    EXPECT_TRUE(TimerWasRunning(ow::kUpdateTimer)) << "FormShow ran again";
    e.Finalize();
}

TEST_P(MenuPageTest, ShowsWhatTheControlsHoldWithoutReloading) {
    auto& e = StartInitialised();
    // PE_PREFERENCES loads the settings into the controls...
    e.Preferences();
    e.Pump(50);
    ASSERT_EQ(Text(ProxyHost()), "127.0.0.1");
    // ...the user edits one and closes the window without OK...
    SetWindowTextA(ProxyHost(), "typed.example");
    SendMessageA(form(), WM_CLOSE, 0, 0);
    e.Pump(50);
    ASSERT_FALSE(IsWindowVisible(form()));
    // ...and the menu shows the window as the controls hold it.
    Choose(GetParam().command);
    ASSERT_TRUE(IsWindowVisible(form()));
    EXPECT_EQ(Text(ProxyHost()), "typed.example");
    EXPECT_EQ(ActivePage(), GetParam().page);
    // Only PE_PREFERENCES reloads, and it always opens the settings page.
    SendMessageA(form(), WM_CLOSE, 0, 0);
    e.Preferences();
    e.Pump(50);
    EXPECT_EQ(Text(ProxyHost()), "127.0.0.1");
    EXPECT_EQ(ActivePage(), 0);
    e.Finalize();
}

// Distinct colours the screen shows on a grid over a window.
std::size_t ColoursShown(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> colours;
    for (int y = r.top + 2; y < r.bottom - 2; y += 3) {
        for (int x = r.left + 2; x < r.right - 2; x += 3) {
            const COLORREF c = GetPixel(screen, x, y);
            if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
        }
    }
    ReleaseDC(nullptr, screen);
    return colours.size();
}

TEST_F(MenuTest, MenuAboutShowsThePictureOnPageTwo) {
    auto& e = StartInitialised();
    Choose(kCmdAbout);
    ASSERT_TRUE(IsWindowVisible(form()));
    e.Pump(300);  // let it paint
    ASSERT_EQ(ActivePage(), 2);
    HWND about = Page(pid::tsAbout);
    ASSERT_TRUE(IsWindowVisible(about));
    // The picture, not a bare page: a blank page shows one or two colours.
    EXPECT_GT(ColoursShown(about), 8u);
    const std::string shot = host::ExecutableDirectory() + "\\menu_about.bmp";
    EXPECT_TRUE(host::SaveWindowPicture(form(), shot)) << shot;
    std::printf("About page from the menu: %s\n", shot.c_str());
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(Menu, MenuPageTest, testing::ValuesIn(kPageCases),
                         [](const testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wine_tests
