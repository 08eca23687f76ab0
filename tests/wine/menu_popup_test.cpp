// The popup menu as the user meets it: opened by a right click on the icon,
// at the mouse cursor, its items, and the way it closes.
#include <vector>

#include "menu_test_support.h"

namespace wine_tests {
namespace {

struct ExpectedItem {
    bool separator;
    const wchar_t* caption;
};

const ExpectedItem kItems[] = {
    {false, L"Обновить"}, {false, L"Вставить в окно чата"}, {true, L""},
    {false, L"Настройки"}, {true, L""}, {false, L"About"},
};

// Nothing of any command happened: no window, no download, no new text; and
// the hidden form that owned the menu did not keep the foreground.
void ExpectNoCommandRan(HWND form, const std::string& statusBefore, const std::string& statusNow) {
    EXPECT_FALSE(IsWindowVisible(form));
    EXPECT_EQ(statusNow, statusBefore);
    EXPECT_NE(GetForegroundWindow(), form);
}

class MenuPopupTest : public MenuTest {};

TEST_F(MenuPopupTest, RightClickOpensTheSixItemsAtTheCursor) {
    auto& e = StartInitialised();
    const POINT cursors[] = {{200, 150}, {530, 310}, {61, 47}};
    for (const POINT cursor : cursors) {
        SCOPED_TRACE(testing::Message() << "cursor " << cursor.x << "," << cursor.y);
        const host::SeenMenu seen = UseMenu({host::MenuAction::Escape}, cursor);
        ASSERT_TRUE(seen.opened);
        EXPECT_TRUE(seen.closed);
        EXPECT_EQ(seen.window.left, cursor.x);
        EXPECT_EQ(seen.window.top, cursor.y);
        EXPECT_EQ(seen.cursor.x, cursor.x);
        EXPECT_EQ(seen.cursor.y, cursor.y);
        ASSERT_EQ(seen.items.size(), std::size(kItems));
        std::vector<UINT> ids;
        for (std::size_t i = 0; i < seen.items.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(seen.items[i].separator, kItems[i].separator);
            EXPECT_EQ(seen.items[i].caption, Cp1251(kItems[i].caption));
            if (!seen.items[i].separator) ids.push_back(seen.items[i].id);
        }
        // One handler tells the commands apart: every command item has its own id.
        ASSERT_EQ(ids.size(), 4u);
        for (std::size_t i = 0; i < ids.size(); ++i) {
            for (std::size_t j = i + 1; j < ids.size(); ++j) EXPECT_NE(ids[i], ids[j]);
            EXPECT_NE(ids[i], 0u);
        }
    }
    ExpectNoCommandRan(form(), Cp1251(L"ПОГОДА: Плагин погоды включен"), StatusText(2));
    e.Finalize();
}

TEST_F(MenuPopupTest, RefreshFromTheMenuShowsTheDownloadedLine) {
    auto& e = StartInitialised();
    const host::SeenMenu seen = Choose(kCmdRefresh);
    ASSERT_TRUE(seen.opened);
    EXPECT_TRUE(seen.closed);
    const std::string shown = StatusText(2);
    ASSERT_GT(shown.size(), Prefix().size());
    EXPECT_EQ(shown.substr(0, Prefix().size()), Prefix());
    EXPECT_NE(shown, Cp1251(L"ПОГОДА: Плагин погоды включен"));
    EXPECT_NE(shown, Prefix() + "error");
    if (HaveServer()) {
        EXPECT_NE(shown, Prefix() + Cp1251(L"Ошибка соединения")) << "the sample server did not answer";
    }
    EXPECT_FALSE(IsWindowVisible(form()));
    EXPECT_TRUE(TimerWasRunning(ow::kUpdateTimer));  // a refresh restarts the update period
    e.Finalize();
}

// A dismissed menu runs nothing, whether by Esc, by a click on the host's
// window or by a click on the bare desktop, and the next one opens at once.
struct DismissCase {
    const char* name;
    host::MenuAction action;
    POINT elsewhere;
};
void PrintTo(const DismissCase& c, std::ostream* os) { *os << c.name; }

class MenuDismissTest : public MenuTest, public testing::WithParamInterface<DismissCase> {};

TEST_P(MenuDismissTest, ClosesWithoutACommandAndOpensAgain) {
    auto& e = StartInitialised();
    const std::string before = StatusText(2);
    POINT elsewhere = GetParam().elsewhere;
    if (elsewhere.x < 0) {  // on the host's status bar
        RECT bar = {};
        GetWindowRect(e.window().statusBar(), &bar);
        elsewhere = {(bar.left + bar.right) / 2, (bar.top + bar.bottom) / 2};
    }
    const host::SeenMenu first = UseMenu({GetParam().action, 0, elsewhere});
    ASSERT_TRUE(first.opened);
    EXPECT_TRUE(first.closed);
    ExpectNoCommandRan(form(), before, StatusText(2));

    const host::SeenMenu second = Choose(kCmdAbout);
    ASSERT_TRUE(second.opened);
    EXPECT_TRUE(second.closed);
    EXPECT_TRUE(IsWindowVisible(form()));
    EXPECT_EQ(ActivePage(), 2);
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(Menu, MenuDismissTest,
                         testing::Values(DismissCase{"Escape", host::MenuAction::Escape, {}},
                                         DismissCase{"ClickOnHostWindow", host::MenuAction::ClickElsewhere, {-1, -1}},
                                         DismissCase{"ClickOnDesktop", host::MenuAction::ClickElsewhere, {900, 700}}),
                         [](const testing::TestParamInfo<DismissCase>& info) { return std::string(info.param.name); });

TEST_F(MenuPopupTest, ItemClickedWithTheMouseRunsItsCommand) {
    auto& e = StartInitialised();
    const host::SeenMenu seen = UseMenu({host::MenuAction::MouseChoice, kCmdOptions});
    ASSERT_TRUE(seen.opened);
    EXPECT_TRUE(seen.closed);
    EXPECT_TRUE(IsWindowVisible(form()));
    EXPECT_EQ(ActivePage(), 0);
    e.Finalize();
}

// The user's own right click on the icon, delivered by the host's plain
// message loop, while another window (the host's) is in the foreground.
TEST_F(MenuPopupTest, RealRightClickInTheHostLoopOpensAWorkingMenu) {
    auto& e = StartInitialised();
    ASSERT_TRUE(SetForegroundWindow(e.window().main()));
    e.Pump(50);
    POINT icon = {10, 10};  // inside the first icon cell of the strip
    ClientToScreen(e.window().iconStrip(), &icon);
    SetCursorPos(icon.x, icon.y);
    e.Pump(50);

    host::MenuDriver driver(GetCurrentThreadId(), {host::MenuAction::KeyboardChoice, kCmdAbout});
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    ASSERT_EQ(SendInput(2, click, sizeof(INPUT)), 2u);
    EXPECT_TRUE(e.PumpUntil([&] { return IsWindowVisible(form()) != FALSE; }, 8000));
    const host::SeenMenu seen = driver.Finish();
    ASSERT_TRUE(seen.opened);
    EXPECT_TRUE(seen.closed);
    EXPECT_EQ(seen.window.left, icon.x);
    EXPECT_EQ(seen.window.top, icon.y);
    EXPECT_EQ(ActivePage(), 2);
    e.Finalize();
}

TEST_F(MenuPopupTest, MenuBeforeInitialisationAndAfterFinalisationDoesNotOpen) {
    auto& e = Start();
    // No icon registered yet: the host has nothing to click. Call PMB directly.
    auto pmb = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(e.plugin().Export("PMB")));
    {
        host::MenuDriver driver(GetCurrentThreadId(), {host::MenuAction::Escape, 0, {}, 500});
        host::CallWithEax(pmb, 1, 0);
        EXPECT_FALSE(driver.Finish().opened);
    }
    WriteSettings();
    ASSERT_TRUE(e.Initialize().has_value());
    e.Finalize();
    host::MenuDriver driver(GetCurrentThreadId(), {host::MenuAction::Escape, 0, {}, 500});
    host::CallWithEax(pmb, 1, 0);
    EXPECT_FALSE(driver.Finish().opened);
}

}  // namespace
}  // namespace wine_tests
