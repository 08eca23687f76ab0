#include "menu_test_support.h"

#include <commctrl.h>

#include <cstdlib>
#include <vector>

#include "prefs/win32/pref_control_ids.h"

namespace wine_tests {

namespace {
// Nothing listens here: without a sample server every download fails fast.
constexpr const char* kClosedPort = "9";
}  // namespace

bool MenuTest::HaveServer() {
    const char* port = std::getenv("OW_SERVER_PORT");
    return port != nullptr && *port != '\0';
}

void MenuTest::WriteSettings(bool scroll) {
    const char* port = std::getenv("OW_SERVER_PORT");
    const std::string lines[] = {
        "resource=0",
        "city=0",
        "use-proxy=1",
        "proxy-host=127.0.0.1",
        std::string("proxy-port=") + (HaveServer() ? port : kClosedPort),
        "proxy-auth=0",
        std::string("use-scroll=") + (scroll ? "1" : "0"),
        "use-scroll-speed=5",
        "bar-section=2",
        "bar-refresh=0",
    };
    std::string file;
    for (const auto& line : lines) file += line + "\r\n";
    ASSERT_TRUE(WriteFileBytes(PluginsDir() + "\\ostixweather.ini", file));
}

host::HostEmulator& MenuTest::StartInitialised(host::WindowLayout layout) {
    WriteSettings();
    auto& e = Start(layout);
    EXPECT_TRUE(e.Initialize().has_value());
    SetForegroundWindow(e.window().main());
    e.Pump(50);
    return e;
}

host::SeenMenu MenuTest::Choose(int command, POINT cursor) {
    return UseMenu({host::MenuAction::KeyboardChoice, command}, cursor);
}

host::SeenMenu MenuTest::UseMenu(host::MenuRequest request, POINT cursor) {
    SetCursorPos(cursor.x, cursor.y);
    const host::SeenMenu seen = host::UseIconMenu(emu(), request);
    emu().Pump(100);
    return seen;
}

std::string MenuTest::RefreshedLine() {
    emu().ClickIcon(0);
    emu().Pump(50);
    const std::string shown = StatusText(2);
    EXPECT_EQ(shown.compare(0, Prefix().size(), Prefix()), 0) << shown;
    return shown.size() >= Prefix().size() ? shown.substr(Prefix().size()) : std::string();
}

HWND MenuTest::Tabs() const {
    HWND f = form();
    return f != nullptr ? FindWindowExA(f, nullptr, WC_TABCONTROLA, nullptr) : nullptr;
}

int MenuTest::ActivePage() const { return static_cast<int>(SendMessageA(Tabs(), TCM_GETCURSEL, 0, 0)); }

HWND MenuTest::Page(int id) const { return GetDlgItem(Tabs(), id); }

std::string MenuTest::Text(HWND window) {
    const int n = GetWindowTextLengthA(window);
    std::vector<char> buffer(static_cast<std::size_t>(n) + 1, '\0');
    const int copied = GetWindowTextA(window, buffer.data(), n + 1);
    return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

std::pair<DWORD, DWORD> MenuTest::Selection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

std::string MenuTest::Trimmed(const std::string& text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    std::size_t first = 0, last = text.size();
    while (first < last && blank(text[first])) ++first;
    while (last > first && blank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

std::string MenuTest::Prefix() { return Cp1251(L"ПОГОДА: "); }

}  // namespace wine_tests
