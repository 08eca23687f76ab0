// The preferences window as laid out: the form, every control's place and
// text, fonts, items, and the special boxes.
#include "pref_window_support.h"

namespace wine_tests {
namespace {

class PrefLayoutTest : public PrefWindowTest {
protected:
    void SetUp() override {
        PrefWindowTest::SetUp();
        OpenPreferences();
    }
};

TEST_F(PrefLayoutTest, FormHasItsCaptionSizeBorderAndPlace) {
    EXPECT_EQ(Text(form()), "Weather Plugin for Ostix");
    RECT client = {};
    GetClientRect(form(), &client);
    EXPECT_EQ(client.right, 330);
    EXPECT_EQ(client.bottom, 280);

    const LONG_PTR style = GetWindowLongPtrA(form(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    for (LONG_PTR absent : {WS_SYSMENU, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_THICKFRAME, WS_CHILD}) {
        EXPECT_EQ(style & absent, 0) << std::hex << absent;
    }
    EXPECT_EQ(GetWindow(form(), GW_OWNER), nullptr);

    RECT r = {};
    GetWindowRect(form(), &r);
    const int screenX = GetSystemMetrics(SM_CXVIRTUALSCREEN), screenY = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    EXPECT_NEAR(r.left + (r.right - r.left) / 2, GetSystemMetrics(SM_XVIRTUALSCREEN) + screenX / 2, 1);
    EXPECT_NEAR(r.top + (r.bottom - r.top) / 2, GetSystemMetrics(SM_YVIRTUALSCREEN) + screenY / 2, 1);
}

struct Placed {
    int id;
    int parent;  // 0: the form
    const char* className;
    RECT rect;   // left, top, right, bottom in the parent
    const wchar_t* text;  // nullptr: not checked
};

TEST_F(PrefLayoutTest, EveryControlStandsInItsPlaceWithItsText) {
    const Placed table[] = {
        {pid::pcPages, 0, WC_TABCONTROLA, {9, 7, 324, 239}, nullptr},
        {pid::bCancel, 0, "Button", {169, 246, 244, 271}, L"Отмена"},
        {pid::bOk, 0, "Button", {249, 246, 324, 271}, L"OK"},
        {pid::cbOldStyle, 0, "Button", {22, 249, 162, 266}, L"\"Старый\" стиль кнопок"},

        {pid::Label5, pid::tsOptions, "Static", {9, 10, 57, 23}, L"Источник"},
        {pid::cbResource, pid::tsOptions, "ComboBox", {65, 8, 257, 29}, L"GISMETEO.ru (Русский)"},
        {pid::Label1, pid::tsOptions, "Static", {10, 42, 40, 55}, L"Город"},
        {pid::cbTowns, pid::tsOptions, "ComboBox", {64, 39, 257, 60}, nullptr},
        {pid::eTest, pid::tsOptions, "Edit", {9, 67, 298, 88}, L"Нажмите кнопку тест для проверки"},
        {pid::cbScroll, pid::tsOptions, "Button", {9, 94, 198, 111}, L"Использовать скроллинг текста"},
        {pid::bTest, pid::tsOptions, "Button", {247, 98, 298, 116}, L"Тест"},
        {pid::tbScrSpeed, pid::tsOptions, TRACKBAR_CLASSA, {24, 110, 193, 131}, nullptr},
        {pid::Label2, pid::tsOptions, "Static", {8, 128, 11, 141}, L""},
        {pid::lPeriod, pid::tsOptions, "Static", {8, 139, 186, 152}, L"Автоматически обновлять прогноз"},
        {pid::cbPeriod, pid::tsOptions, "ComboBox", {186, 135, 299, 156}, L"каждые полчаса"},
        {pid::Label6, pid::tsOptions, "Static", {8, 160, 252, 173},
         L"Секция статусной строки для вывода прогноза:"},
        {pid::cbBarRefresh, pid::tsOptions, "Button", {9, 182, 297, 199},
         L"Всегда показывать прогноз погоды в статусе ?"},

        {pid::cbUseProxy, pid::TabSheet1, "Button", {8, 8, 273, 25}, L"Использовать прокси"},
        {pid::gbProxy, pid::TabSheet1, nullptr, {8, 24, 302, 157}, L""},
        {pid::Label4, pid::gbProxy, "Static", {10, 12, 47, 25}, L"Сервер"},
        {pid::eProxyHost, pid::gbProxy, "Edit", {54, 10, 214, 31}, L""},
        {pid::Label3, pid::gbProxy, "Static", {218, 13, 221, 26}, L":"},
        {pid::eProxyPort, pid::gbProxy, "Edit", {224, 10, 285, 31}, L"1080"},
        {pid::cbProxyAuth, pid::gbProxy, "Button", {10, 40, 283, 57}, L"авторизация"},
        {pid::eProxyLogin, pid::gbProxy, "Edit", {92, 61, 213, 82}, L""},
        {pid::eProxyPass, pid::gbProxy, "Edit", {92, 85, 213, 106}, L""},
    };
    for (const Placed& p : table) {
        SCOPED_TRACE(p.id);
        HWND control = Control(p.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(GetParent(control), p.parent == 0 ? form() : Control(p.parent));
        if (p.className != nullptr) {
            char name[64] = {};
            GetClassNameA(control, name, sizeof name);
            EXPECT_EQ(lstrcmpiA(name, p.className), 0) << name;
        }
        const RECT r = InParent(control);
        EXPECT_EQ(r.left, p.rect.left);
        EXPECT_EQ(r.top, p.rect.top);
        EXPECT_EQ(r.right, p.rect.right);
        EXPECT_EQ(r.bottom, p.rect.bottom);
        if (p.text != nullptr) {
            EXPECT_EQ(Text(control), Cp1251(p.text));
        }
    }
}

TEST_F(PrefLayoutTest, PagesFillThePageControlAndCarryTheirCaptions) {
    HWND tabs = Control(pid::pcPages);
    ASSERT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 3);
    const wchar_t* captions[] = {L"Настройка", L"Подключение", L"About"};
    const int pages[] = {pid::tsOptions, pid::TabSheet1, pid::tsAbout};
    RECT area = {};
    GetClientRect(tabs, &area);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (int i = 0; i < 3; ++i) {
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::string(text), Cp1251(captions[i]));
        HWND page = Control(pages[i]);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(GetParent(page), tabs);
        const RECT r = InParent(page);
        EXPECT_TRUE(EqualRect(&r, &area)) << i;
        EXPECT_EQ(Shown(page), i == 0) << i;
    }
    EXPECT_EQ(ActivePage(), 0);
}

TEST_F(PrefLayoutTest, LoginAndPasswordLabelsStandLeftOfTheirBoxes) {
    const struct {
        int label, edit;
        const char* text;
    } pairs[] = {{pid::lProxyLogin, pid::eProxyLogin, "Login:"}, {pid::lProxyPass, pid::eProxyPass, "Password:"}};
    for (const auto& pair : pairs) {
        HWND label = Control(pair.label);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(Text(label), pair.text);
        const RECT l = InParent(label), e = InParent(Control(pair.edit));
        EXPECT_EQ(GetParent(label), Control(pid::gbProxy));
        EXPECT_EQ(l.right, e.left - 3);
        EXPECT_GT(l.right - l.left, 10);
        EXPECT_NEAR((l.top + l.bottom) / 2, (e.top + e.bottom) / 2, 1);
    }
}

TEST_F(PrefLayoutTest, EveryControlWithTextUsesMsSansSerifEightPoint) {
    const int ids[] = {pid::pcPages, pid::bCancel, pid::bOk, pid::cbOldStyle, pid::Label5, pid::cbResource,
                       pid::Label1, pid::cbTowns, pid::eTest, pid::cbScroll, pid::bTest, pid::Label2,
                       pid::lPeriod, pid::cbPeriod, pid::Label6, pid::sebarSection, pid::cbBarRefresh,
                       pid::cbUseProxy, pid::Label4, pid::eProxyHost, pid::Label3, pid::eProxyPort,
                       pid::cbProxyAuth, pid::eProxyLogin, pid::lProxyLogin, pid::eProxyPass, pid::lProxyPass};
    std::vector<HWND> windows = {form()};
    for (int id : ids) windows.push_back(Control(id));
    for (HWND w : windows) {
        SCOPED_TRACE(GetDlgCtrlID(w));
        ASSERT_NE(w, nullptr);
        auto font = reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        LOGFONTA lf = {};
        ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf));
        EXPECT_STREQ(lf.lfFaceName, "MS Sans Serif");
        EXPECT_EQ(lf.lfHeight, -11);
        EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    }
}

std::vector<std::string> Items(HWND combo) {
    std::vector<std::string> items;
    const auto count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto n = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string text(static_cast<std::size_t>(n) + 1, '\0');
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(n));
        items.push_back(text);
    }
    return items;
}

TEST_F(PrefLayoutTest, ComboBoxesHoldTheirItemsAndKind) {
    HWND resource = Control(pid::cbResource), period = Control(pid::cbPeriod), towns = Control(pid::cbTowns);
    EXPECT_EQ(Items(resource),
              (std::vector<std::string>{Cp1251(L"GISMETEO.ru (Русский)"), "WUNDERGROUND.com (English)",
                                        Cp1251(L"Open-Meteo.com (Русский)")}));
    EXPECT_EQ(Items(period), (std::vector<std::string>{Cp1251(L"каждые полчаса"), Cp1251(L"каждый час"),
                                                        Cp1251(L"каждые 6 часов"), Cp1251(L"каждые 12 часов")}));
    EXPECT_EQ(SendMessageA(resource, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(SendMessageA(period, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(GetWindowLongPtrA(resource, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(GetWindowLongPtrA(period, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(GetWindowLongPtrA(towns, GWL_STYLE) & 3, CBS_DROPDOWN);
    // The town box is filled from the shipped Gismeteo list, first town chosen.
    const auto towns0 = Items(towns);
    ASSERT_GE(towns0.size(), 60u);
    EXPECT_EQ(SendMessageA(towns, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Text(towns), towns0[0]);
}

TEST_F(PrefLayoutTest, TestBoxIsReadOnlyAndTestIsTheDefaultButton) {
    EXPECT_NE(GetWindowLongPtrA(Control(pid::eTest), GWL_STYLE) & ES_READONLY, 0);
    EXPECT_EQ(GetWindowLongPtrA(Control(pid::bTest), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongPtrA(Control(pid::bOk), GWL_STYLE) & 0xF, BS_PUSHBUTTON);
    EXPECT_FALSE(Shown(Control(pid::cbOldStyle)));
    EXPECT_FALSE(Shown(Control(pid::gbProxy)));
}

TEST_F(PrefLayoutTest, SectionSpinBoxCanOnlyBeStepped) {
    HWND box = Control(pid::sebarSection), arrows = Control(pid::sebarSectionArrows);
    ASSERT_NE(arrows, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageA(arrows, UDM_GETBUDDY, 0, 0)), box);
    EXPECT_NE(GetWindowLongPtrA(box, GWL_STYLE) & ES_READONLY, 0);
    int low = -1, high = -1;
    SendMessageA(arrows, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 10);
    // Box and arrows together take the spin box's place.
    RECT b = InParent(box), a = InParent(arrows), both = {};
    UnionRect(&both, &b, &a);
    const RECT expected = {259, 157, 300, 179};
    EXPECT_TRUE(EqualRect(&both, &expected)) << both.left << "," << both.top << "," << both.right << "," << both.bottom;

    EXPECT_EQ(Text(box), "2");
    SetFocus(box);
    PressKey(VK_UP);
    EXPECT_EQ(Text(box), "3");
    PostMessageA(box, WM_CHAR, '7', 0);
    Pump();
    EXPECT_EQ(Text(box), "3");  // typing changes nothing
    for (int i = 0; i < 12; ++i) PressKey(VK_UP);
    EXPECT_EQ(Text(box), "10");
}

TEST_F(PrefLayoutTest, PasswordBoxShowsStars) {
    HWND pass = Control(pid::eProxyPass);
    EXPECT_NE(GetWindowLongPtrA(pass, GWL_STYLE) & ES_PASSWORD, 0);
    EXPECT_EQ(SendMessageA(pass, EM_GETPASSWORDCHAR, 0, 0), '*');
    EXPECT_EQ(SendMessageA(Control(pid::eProxyLogin), EM_GETPASSWORDCHAR, 0, 0), 0);
}

TEST_F(PrefLayoutTest, SpeedBarSpansOneToFiveWithItsHint) {
    HWND bar = Control(pid::tbScrSpeed);
    EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMAX, 0, 0), 5);
    EXPECT_EQ(SendMessageA(bar, TBM_GETTHUMBLENGTH, 0, 0), 10);
    EXPECT_EQ(GetWindowLongPtrA(bar, GWL_STYLE) & TBS_AUTOTICKS, 0);

    // The tooltip belongs to the form and names the bar.
    struct Find {
        HWND owner, tip;
    } find = {form(), nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) CALLBACK -> BOOL {
            auto* f = reinterpret_cast<Find*>(p);
            char name[64] = {};
            GetClassNameA(w, name, sizeof name);
            if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || GetWindow(w, GW_OWNER) != f->owner) return TRUE;
            f->tip = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    ASSERT_NE(find.tip, nullptr);
    ASSERT_EQ(SendMessageA(find.tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    char text[128] = {};
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.lpszText = text;
    ASSERT_TRUE(SendMessageA(find.tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(reinterpret_cast<HWND>(info.uId), bar);
    EXPECT_EQ(std::string(text), Cp1251(L"Скорость скроллинга"));
}

}  // namespace
}  // namespace wine_tests
