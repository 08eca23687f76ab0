// The About picture as painted on its page, and the popup menu opened from
// the host's icon.
#include <cstring>
#include <vector>

#include "pref_window_support.h"
#include "prefs/core/rle8.h"

namespace wine_tests {
namespace {

// The "ABOUT" resource of the loaded plug-in, read as the BMP file it is
// and unpacked to plain rows.
struct AboutResource {
    const unsigned char* bytes = nullptr;
    DWORD size = 0;
    BITMAPINFOHEADER header = {};
    std::vector<std::uint8_t> rows;
    bool complete = false;

    bool Load() {
        HMODULE plugin = GetModuleHandleA("ostixWeather.dll");
        HRSRC found = FindResourceA(plugin, "ABOUT", MAKEINTRESOURCEA(10));  // RT_RCDATA
        if (found == nullptr) return false;
        bytes = static_cast<const unsigned char*>(LockResource(LoadResource(plugin, found)));
        size = SizeofResource(plugin, found);
        if (bytes == nullptr || size < sizeof(BITMAPFILEHEADER) + sizeof header) return false;
        std::memcpy(&header, bytes + sizeof(BITMAPFILEHEADER), sizeof header);
        if (bytes[0] != 'B' || bytes[1] != 'M' || header.biWidth <= 0 || header.biHeight <= 0) return false;
        BITMAPFILEHEADER file;
        std::memcpy(&file, bytes, sizeof file);
        if (file.bfOffBits >= size) return false;
        rows.assign(Stride() * header.biHeight, 0);
        complete = ow::DecodeRle8({bytes + file.bfOffBits, size - file.bfOffBits}, header.biWidth, header.biHeight,
                                  Stride(), rows) == ow::Rle8Result::Complete;
        return true;
    }
    std::size_t Stride() const { return (header.biWidth + 3) & ~3; }

    // The colour of a pixel (top-down coordinates) through the palette.
    COLORREF Pixel(int x, int y) const {
        const int row = header.biHeight - 1 - y;  // bottom-up
        const unsigned char index = rows[row * Stride() + x];
        RGBQUAD c;
        std::memcpy(&c, bytes + sizeof(BITMAPFILEHEADER) + header.biSize + index * sizeof(RGBQUAD), sizeof c);
        return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
};

class PrefAboutTest : public PrefWindowTest {
protected:
    // White pixels of the About page inside a rectangle.
    int WhitePixels(RECT area) {
        HWND page = Control(pid::tsAbout);
        HDC dc = GetDC(page);
        int white = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) white += GetPixel(dc, x, y) == RGB(255, 255, 255);
        }
        ReleaseDC(page, dc);
        return white;
    }

    COLORREF PagePixel(int x, int y) {
        HWND page = Control(pid::tsAbout);
        HDC dc = GetDC(page);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(page, dc);
        return c;
    }
};

TEST_F(PrefAboutTest, ResourceIsAnEightBitPackedPictureOfTheRightSize) {
    AboutResource about;
    ASSERT_TRUE(about.Load());
    EXPECT_EQ(about.header.biWidth, 308);
    EXPECT_EQ(about.header.biHeight < 0 ? -about.header.biHeight : about.header.biHeight, 163);
    EXPECT_EQ(about.header.biBitCount, 8);
    EXPECT_EQ(about.header.biCompression, static_cast<DWORD>(BI_RLE8));
    EXPECT_TRUE(about.complete);
}

TEST_F(PrefAboutTest, PageShowsThePictureWithTheVersionAndCreditsInWhite) {
    OpenPreferences();
    ClickTab(2);
    Pump(100);
    AboutResource about;
    ASSERT_TRUE(about.Load());
    // The picture unchanged at the page's top-left corner, away from the texts.
    const POINT plain[] = {{0, 0}, {5, 150}, {50, 62}, {60, 100}, {250, 90}, {300, 20}, {150, 160}};
    for (POINT p : plain) EXPECT_EQ(PagePixel(p.x, p.y), about.Pixel(p.x, p.y)) << p.x << "," << p.y;
    // Its background is blue.
    const COLORREF sky = PagePixel(250, 90);
    EXPECT_GT(GetBValue(sky), GetRValue(sky) + 60);

    EXPECT_GT(WhitePixels({145, 31, 185, 46}), 15) << "version";
    EXPECT_GT(WhitePixels({112, 115, 290, 127}), 60) << "web address";
    EXPECT_GT(WhitePixels({112, 127, 290, 140}), 60) << "e-mail address";
    EXPECT_EQ(WhitePixels({230, 75, 300, 105}), 0) << "nothing else is drawn";
}

TEST_F(PrefAboutTest, PictureComesBackAfterThePageIsRepainted) {
    OpenPreferences();
    ClickTab(2);
    HWND page = Control(pid::tsAbout);
    InvalidateRect(page, nullptr, TRUE);
    UpdateWindow(page);
    Pump(50);
    EXPECT_GT(WhitePixels({145, 31, 185, 46}), 15);
    const COLORREF sky = PagePixel(250, 90);
    EXPECT_GT(GetBValue(sky), GetRValue(sky) + 60);
}

// What the menu looked like while it was open, and the keys then pressed.
struct MenuVisit {
    std::vector<WPARAM> keys;
    bool seen = false;
    RECT rect = {};
    std::vector<std::string> items;
};
MenuVisit* g_visit = nullptr;

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu == nullptr || !IsWindowVisible(menu)) return;  // not open yet
    KillTimer(nullptr, timer);
    g_visit->seen = true;
    GetWindowRect(menu, &g_visit->rect);
    auto handle = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(handle); ++i) {
        char text[128] = {};
        GetMenuStringA(handle, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        g_visit->items.push_back(GetMenuState(handle, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR ? "-" : text);
    }
    for (WPARAM key : g_visit->keys) {
        PostMessageA(menu, WM_KEYDOWN, key, 1);
        PostMessageA(menu, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    }
}

class PrefMenuTest : public PrefWindowTest {
protected:
    // Right-clicks the icon with the cursor at `at`; the menu, once open, gets `keys`.
    MenuVisit RightClickIcon(POINT at, std::vector<WPARAM> keys) {
        MenuVisit visit;
        visit.keys = std::move(keys);
        g_visit = &visit;
        SetCursorPos(at.x, at.y);
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, &LookAtMenu);
        emu().ClickIcon(1);  // returns when the menu has closed
        KillTimer(nullptr, timer);
        g_visit = nullptr;
        Pump();
        return visit;
    }
};

TEST_F(PrefMenuTest, OpensAtTheCursorWithItsItemsAndClosesWithEscape) {
    const MenuVisit visit = RightClickIcon({200, 150}, {VK_ESCAPE});
    ASSERT_TRUE(visit.seen);
    EXPECT_EQ(visit.rect.left, 200);
    EXPECT_EQ(visit.rect.top, 150);
    const std::vector<std::string> items = {Cp1251(L"Обновить"), Cp1251(L"Вставить в окно чата"), "-",
                                            Cp1251(L"Настройки"), "-", "About"};
    EXPECT_EQ(visit.items, items);
    EXPECT_FALSE(Shown(form()));
    EXPECT_NE(GetForegroundWindow(), form()) << "the hidden form kept the foreground";
}

TEST_F(PrefMenuTest, AboutChosenWithTheKeyboardOpensTheAboutPage) {
    // Down four times: the separators are stepped over.
    const MenuVisit visit = RightClickIcon({100, 100}, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    ASSERT_TRUE(visit.seen);
    EXPECT_TRUE(Shown(form()));
    EXPECT_EQ(ActivePage(), 2);
    EXPECT_TRUE(Shown(Control(pid::tsAbout)));
    EXPECT_FALSE(Shown(Control(pid::tsOptions)));
}

TEST_F(PrefMenuTest, SettingsChosenOpensTheFirstPageAndAnOpenWindowOnlySwitches) {
    MenuVisit visit = RightClickIcon({100, 100}, {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    ASSERT_TRUE(Shown(form()));
    RECT before = {};
    GetWindowRect(form(), &before);
    visit = RightClickIcon({120, 120}, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    ASSERT_TRUE(visit.seen);
    EXPECT_EQ(ActivePage(), 0);
    EXPECT_TRUE(Shown(Control(pid::tsOptions)));
    RECT after = {};
    GetWindowRect(form(), &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "an open window is not moved";
}

}  // namespace
}  // namespace wine_tests
