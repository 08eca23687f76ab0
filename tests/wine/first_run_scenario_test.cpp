// The first run as a user meets it, in a messenger folder unpacked from the
// real package (first_run_scenario.sh): the first start, a refresh and its
// ticker pass, the preferences window with a test through an authenticating
// proxy, the forecast put into the chat, an automatic update, the end of the
// session, and a second start that keeps every choice. One test: each step
// starts from what the steps before it left.
#include <windows.h>

#include <commctrl.h>

#include <set>

#include "display/core/window_timers.h"
#include "download_fixture.h"
#include "menu_driver.h"
#include "prefs/win32/pref_control_ids.h"
#include "user_input.h"

namespace wine_tests {
namespace {

namespace pid = ow::pref_id;
namespace input = user_input;

// What the first start writes: the window's design values.
const std::string kFirstRunSettings =
    "resource=0\r\ncity=0\r\nautoupdate=0\r\nbar-section=2\r\nbar-refresh=1\r\nold-style=0\r\n"
    "use-scroll=1\r\nuse-proxy=0\r\nproxy-port=1080\r\nproxy-auth=0\r\nuse-scroll-speed=1\r\n";

// What the user chooses in the preferences window.
constexpr int kSource = 1;   // Weather Underground
constexpr int kTown = 4;     // the fifth town of its list
constexpr int kSection = 3;  // the fourth section of the status bar
const std::string kLogin = "weather";
const std::string kPassword = "s3cret";
const std::string kCredential = "d2VhdGhlcjpzM2NyZXQ=";  // Base64 of "weather:s3cret"

std::string Reply(const std::string& text) {
    return host::Envelope(std::string(1, '\x02') + host::Int32Bytes(static_cast<std::int32_t>(text.size())) + text +
                          host::Int32Bytes(4));
}

// Every window of this thread: the top-level ones and the message-only ones.
std::set<HWND> ThreadWindows() {
    std::set<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM all) CALLBACK {
            reinterpret_cast<std::set<HWND>*>(all)->insert(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    for (HWND w = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w != nullptr;
         w = FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr)) {
        if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId()) windows.insert(w);
    }
    return windows;
}

std::string ClassNames(const std::set<HWND>& windows) {
    std::string names;
    for (HWND w : windows) {
        char name[64] = {};
        GetClassNameA(w, name, sizeof name);
        names += std::string(names.empty() ? "" : ", ") + name;
    }
    return names;
}

// The log's time stamp of a moment: the regional short date, a blank and
// the long time; at midnight sharp the date alone.
std::string Stamp(const SYSTEMTIME& t) {
    char date[80] = {}, time[80] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, sizeof date);
    if (t.wHour == 0 && t.wMinute == 0 && t.wSecond == 0) return date;
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &t, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

// The stamps of every second from `from` to now.
std::set<std::string> StampsSince(SYSTEMTIME from) {
    constexpr ULONGLONG kSecond = 10000000;  // in 100 ns
    auto ticks = [](const SYSTEMTIME& t) {
        FILETIME f = {};
        SystemTimeToFileTime(&t, &f);
        return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
    };
    from.wMilliseconds = 0;
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    std::set<std::string> stamps;
    for (ULONGLONG at = ticks(from); at <= ticks(now); at += kSecond) {
        const FILETIME f = {static_cast<DWORD>(at), static_cast<DWORD>(at >> 32)};
        SYSTEMTIME t = {};
        FileTimeToSystemTime(&f, &t);
        stamps.insert(Stamp(t));
    }
    return stamps;
}

class FirstRunScenarioTest : public DownloadTest {
protected:
    FirstRunScenarioTest() { inInstalledFolder_ = true; }

    static std::string SettingsPath() { return PluginsDir() + "\\ostixweather.ini"; }
    static std::string SettingsFile() { return ReadFileBytes(SettingsPath()); }
    // The file after OK: the first run's lines with the choices in place,
    // the keys that were empty then appended in the order they are saved.
    std::string ChosenSettings() {
        const auto n = [](int value) { return std::to_string(value); };
        return "resource=" + n(kSource) + "\r\ncity=" + n(kTown) + "\r\nautoupdate=0\r\nbar-section=" + n(kSection) +
               "\r\nbar-refresh=1\r\nold-style=0\r\nuse-scroll=1\r\nuse-proxy=1\r\nproxy-port=" + n(server().port()) +
               "\r\nproxy-auth=1\r\nuse-scroll-speed=1\r\nproxy-host=127.0.0.1\r\nproxy-login=" + kLogin +
               "\r\nproxy-pass=" + kPassword + "\r\n";
    }

    static HWND Control(int id) { return FindDescendant(FindForm(), id); }
    static std::string Text(HWND window) {
        char text[4096] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    static int Selected(int id) { return static_cast<int>(SendMessageA(Control(id), CB_GETCURSEL, 0, 0)); }
    static bool Ticked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // Shown as far as the control itself goes, whichever page is in front.
    static bool Shown(int id) { return (GetWindowLongA(Control(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    void ClickControl(int id) { input::Click(emu(), Control(id)); }
    void Focus(int id) { SetFocus(Control(id)); }
    void ClickTab(int page) { input::ClickTab(emu(), Control(pid::pcPages), page); }
    bool TestBoxShows(const std::string& text) {
        return emu().PumpUntil([&] { return Text(Control(pid::eTest)) == text; }, 15000);
    }

    // The one request the server saw since its record was cleared: the
    // chosen town's feed through the proxy, with the chosen credential.
    void ExpectChosenFeedThroughProxy() {
        const auto requests = server().Requests();
        ASSERT_EQ(requests.size(), 1u);
        const RecordedRequest& sent = requests[0];
        EXPECT_EQ(sent.line.rfind("GET http://ru.wunderground.com", 0), 0u) << sent.line;
        const std::string tail = "/auto/rss_full/global/stations/" + TownCode(kSource, kTown) + ".xml HTTP/1.1";
        EXPECT_TRUE(sent.line.ends_with(tail)) << sent.line;
        EXPECT_EQ(sent.CountExact("Proxy-Authorization: Basic " + kCredential), 1);
    }

    void FirstStart();
    void RefreshAndTickerPass();
    void ChooseInPreferences();
    void InsertIntoChat();
    void UpdateTimerFires();
    void EndSession();
    void StartAgain();

    MessageBoxWatcher boxes_{Cp1251(L"Weather Plugin: Ошибка")};
    std::string gisLine_, wuLine_;  // the server's lines for the first and the chosen town
    std::set<HWND> windowsWithoutPlugin_;
};

void FirstRunScenarioTest::FirstStart() {
    ASSERT_EQ(GetFileAttributesA(SettingsPath().c_str()), INVALID_FILE_ATTRIBUTES) << "the folder is not fresh";
    ASSERT_EQ(Log(), "");
    for (const char* list : {"gis_towns.ini", "wu_towns.ini", "om_towns.ini"}) {
        EXPECT_EQ(ReadFileBytes(PluginsDir() + "\\" + list), ReadFileBytes(DataFile(list))) << list;
    }
    auto& e = Start();
    ASSERT_TRUE(e.plugin().loaded());
    windowsWithoutPlugin_ = ThreadWindows();
    std::vector<std::string> before;
    for (int s = 0; s < host::EmulatorWindow::kSections; ++s) before.push_back(StatusText(s));

    EXPECT_EQ(e.Initialize(), Reply("Weather Plugin ver.1.2.6"));
    EXPECT_EQ(boxes_.seen(), 0) << "both town lists are there, yet: " << boxes_.lastText();
    EXPECT_EQ(SettingsFile(), kFirstRunSettings);
    EXPECT_EQ(LogMessages(), (std::vector<std::string>{"PE_INITIALIZE received", "Save settings",
                                                        "PE_INITIALIZE complete"}));
    EXPECT_EQ(StatusText(2), Status(L"Плагин погоды включен"));
    for (int s = 0; s < host::EmulatorWindow::kSections; ++s) {
        if (s != 2) EXPECT_EQ(StatusText(s), before[static_cast<std::size_t>(s)]) << "section " << s;
    }
    EXPECT_EQ(e.contract.icons().size(), 1u);
    EXPECT_TRUE(server().Requests().empty()) << "a download at initialisation";
}

void FirstRunScenarioTest::RefreshAndTickerPass() {
    auto& e = emu();
    HWND form = FindForm();
    ASSERT_NE(form, nullptr);
    RecordSteps(form, 2);
    const DWORD clicked = GetTickCount();
    e.ClickIcon(0);  // left button: refresh
    EXPECT_EQ(StatusText(2), Status(L"") + gisLine_);
    // Nothing chosen yet: the first town straight from the weather host.
    const auto requests = server().Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].line, "GET /text/" + TownCode(0, 0) + "-2.JS HTTP/1.1");
    EXPECT_EQ(requests[0].CountExact("Host: informer.gismeteo.ru"), 1);
    EXPECT_EQ(requests[0].CountPrefix("Proxy-Authorization:"), 0);

    // The ticker runs at the first run's speed 1: its first step comes one
    // 500 ms interval after the download.
    ASSERT_TRUE(e.PumpUntil([&] { return !Steps(ow::kScrollTimer).empty(); }, 5000));
    EXPECT_GE(Steps(ow::kScrollTimer)[0].at - clicked, 450u);
    // The rest of the pass would take minutes at that speed: its steps are
    // timer messages of the same id posted one at a time. A step of the
    // real timer may come in between and counts like any other.
    const auto pass = ExpectedPass(Status(L""), gisLine_);
    while (Steps(ow::kScrollTimer).size() < pass.size()) {
        MSG pending;
        if (!PeekMessageA(&pending, form, WM_TIMER, WM_TIMER, PM_NOREMOVE)) {
            PostMessageA(form, WM_TIMER, ow::kScrollTimer, 0);
        }
        const std::size_t done = Steps(ow::kScrollTimer).size();
        ASSERT_TRUE(e.PumpUntil([&] { return Steps(ow::kScrollTimer).size() > done; }, 5000)) << done;
    }
    const auto steps = Steps(ow::kScrollTimer);
    ASSERT_EQ(steps.size(), pass.size());
    for (std::size_t k = 0; k < pass.size(); ++k) ASSERT_EQ(steps[k].shown, pass[k]) << "step " << k + 1;

    // The pass is over: no further step; with bar-refresh on, the line is
    // written again every 3000 ms.
    e.window().SetStatusText(2, "host text");
    ASSERT_TRUE(PumpUntilTick(form, ow::kRedisplayTimer, 4500));
    EXPECT_EQ(StatusText(2), Status(L"") + gisLine_);
    EXPECT_EQ(Steps(ow::kScrollTimer).size(), pass.size());
}

void FirstRunScenarioTest::ChooseInPreferences() {
    auto& e = emu();
    EXPECT_FALSE(e.Preferences().has_value());
    e.Pump(50);
    ASSERT_TRUE(IsWindowVisible(FindForm()));

    Focus(pid::cbResource);
    input::PressKey(e, VK_DOWN);  // the closed list steps to the other source
    ASSERT_EQ(Selected(pid::cbResource), kSource);
    Focus(pid::cbTowns);
    for (int i = 0; i < kTown; ++i) input::PressKey(e, VK_DOWN);
    ASSERT_EQ(Selected(pid::cbTowns), kTown);
    EXPECT_EQ(Text(Control(pid::cbTowns)), TownName(kSource, kTown));
    Focus(pid::sebarSection);
    input::PressKey(e, VK_UP);
    EXPECT_EQ(Text(Control(pid::sebarSection)), std::to_string(kSection));

    ClickTab(1);
    ClickControl(pid::cbUseProxy);
    ASSERT_TRUE(IsWindowVisible(Control(pid::gbProxy)));
    Focus(pid::eProxyHost);
    input::Type(e, "127.0.0.1");
    input::PressKey(e, VK_TAB);  // into the port box, its 1080 selected
    input::Type(e, std::to_string(server().port()));
    EXPECT_EQ(Text(Control(pid::eProxyPort)), std::to_string(server().port()));
    ClickControl(pid::cbProxyAuth);
    ASSERT_TRUE(IsWindowVisible(Control(pid::eProxyLogin)));
    Focus(pid::eProxyLogin);
    input::Type(e, kLogin);
    Focus(pid::eProxyPass);
    input::Type(e, "wrong");

    // The proxy now asks for the account; Enter runs Test from this page.
    ASSERT_TRUE(server().SetCredentials(kLogin + ":" + kPassword));
    input::PressKey(e, VK_RETURN);
    EXPECT_TRUE(TestBoxShows(Status(L"Proxy authorization failed!"))) << Text(Control(pid::eTest));

    SendMessageA(Control(pid::eProxyPass), EM_SETSEL, 0, -1);
    input::Type(e, kPassword);
    ASSERT_TRUE(server().ClearRecord());
    ClickTab(0);
    ClickControl(pid::bTest);
    EXPECT_TRUE(TestBoxShows(Status(L"") + wuLine_)) << Text(Control(pid::eTest));
    ExpectChosenFeedThroughProxy();
    // The test's line scrolls in the test box (the seventh step drops its
    // first character), not in the bar.
    EXPECT_TRUE(TestBoxShows(Status(L"") + wuLine_.substr(1))) << Text(Control(pid::eTest));
    EXPECT_EQ(StatusText(2), Status(L"") + gisLine_);
    EXPECT_EQ(StatusText(kSection), "");

    ClickControl(pid::bOk);
    EXPECT_FALSE(IsWindowVisible(FindForm()));
    EXPECT_EQ(StatusText(2), "") << "OK clears the section the line was shown in";
    EXPECT_EQ(SettingsFile(), ChosenSettings());
    EXPECT_EQ(LogMessages().back(), "Save settings");
}

void FirstRunScenarioTest::InsertIntoChat() {
    auto& e = emu();
    HWND memo = e.window().panelMemo();
    SetWindowTextA(memo, Cp1251(L"  Погода у меня:\r\n").c_str());
    ASSERT_TRUE(server().ClearRecord());
    SetForegroundWindow(e.window().main());
    SetFocus(e.window().main());
    SetCursorPos(200, 150);
    const host::SeenMenu seen = host::UseIconMenu(e, {host::MenuAction::KeyboardChoice, 2});
    e.Pump(100);
    ASSERT_TRUE(seen.opened);
    EXPECT_TRUE(seen.closed);
    // The line the test downloaded is still the cached one: no download.
    EXPECT_EQ(Text(memo), Cp1251(L"Погода у меня:") + " " + wuLine_);
    EXPECT_TRUE(server().Requests().empty());
    const auto length = static_cast<DWORD>(GetWindowTextLengthA(memo));
    DWORD start = 0, end = 0;
    SendMessageA(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, length);
    EXPECT_EQ(end, length);
    EXPECT_EQ(GetFocus(), memo);
    EXPECT_EQ(StatusText(kSection), "");
}

void FirstRunScenarioTest::UpdateTimerFires() {
    HWND form = FindForm();
    ASSERT_TRUE(server().ClearRecord());
    // Half an hour is not waited for: the update timer's message is posted.
    PostMessageA(form, WM_TIMER, ow::kUpdateTimer, 0);
    ASSERT_TRUE(PumpUntilTick(form, ow::kUpdateTimer, 15000));
    ExpectChosenFeedThroughProxy();
    EXPECT_EQ(StatusText(kSection), Status(L"") + wuLine_);
    EXPECT_EQ(StatusText(2), "");
    // And its ticker starts, in the chosen section.
    EXPECT_TRUE(PumpUntilTick(form, ow::kScrollTimer, 3000));
}

void FirstRunScenarioTest::EndSession() {
    auto& e = emu();
    HWND form = FindForm();
    EXPECT_EQ(e.Finalize(), Reply("Gismeteo Plugin off"));
    EXPECT_EQ(StatusText(kSection), Status(L"Плагин погоды выключен"));
    EXPECT_TRUE(e.contract.icons().empty());
    EXPECT_FALSE(IsWindow(form));
    std::set<HWND> left;
    for (HWND w : ThreadWindows()) {
        if (!windowsWithoutPlugin_.contains(w)) left.insert(w);
    }
    EXPECT_TRUE(left.empty()) << "windows left: " << ClassNames(left);
    // Longer than a ticker step: no timer message any more.
    const std::size_t ticks = e.timers.size();
    e.Pump(700);
    EXPECT_EQ(e.timers.size(), ticks);
    StopEmulator();
}

void FirstRunScenarioTest::StartAgain() {
    auto& e = Start();
    ASSERT_TRUE(e.Initialize().has_value());
    EXPECT_EQ(SettingsFile(), ChosenSettings());
    EXPECT_EQ(StatusText(kSection), Status(L"Плагин погоды включен"));
    EXPECT_EQ(StatusText(2), "");

    // Through the menu, which shows the window as the start left it,
    // without reading the files again.
    SetCursorPos(200, 150);
    const host::SeenMenu seen = host::UseIconMenu(e, {host::MenuAction::KeyboardChoice, 3});
    e.Pump(100);
    ASSERT_TRUE(seen.opened);
    ASSERT_TRUE(IsWindowVisible(FindForm()));
    EXPECT_EQ(Selected(pid::cbResource), kSource);
    EXPECT_EQ(Selected(pid::cbTowns), kTown);
    EXPECT_EQ(Text(Control(pid::cbTowns)), TownName(kSource, kTown));
    EXPECT_EQ(Text(Control(pid::sebarSection)), std::to_string(kSection));
    EXPECT_EQ(Selected(pid::cbPeriod), 0);
    EXPECT_TRUE(Ticked(pid::cbScroll));
    EXPECT_EQ(SendMessageA(Control(pid::tbScrSpeed), TBM_GETPOS, 0, 0), 1);
    EXPECT_TRUE(Ticked(pid::cbBarRefresh));
    EXPECT_TRUE(Ticked(pid::cbUseProxy));
    EXPECT_TRUE(Shown(pid::gbProxy));
    EXPECT_EQ(Text(Control(pid::eProxyHost)), "127.0.0.1");
    EXPECT_EQ(Text(Control(pid::eProxyPort)), std::to_string(server().port()));
    EXPECT_TRUE(Ticked(pid::cbProxyAuth));
    EXPECT_TRUE(Shown(pid::eProxyLogin));
    EXPECT_TRUE(Shown(pid::eProxyPass));
    EXPECT_EQ(Text(Control(pid::eProxyLogin)), kLogin);
    EXPECT_EQ(Text(Control(pid::eProxyPass)), kPassword);
    ClickControl(pid::bCancel);
    EXPECT_FALSE(IsWindowVisible(FindForm()));

    // The choices are in use: the chosen town's feed through the proxy,
    // shown in the chosen section.
    ASSERT_TRUE(server().ClearRecord());
    e.ClickIcon(0);
    EXPECT_EQ(StatusText(kSection), Status(L"") + wuLine_);
    ExpectChosenFeedThroughProxy();
    EXPECT_EQ(e.Finalize(), Reply("Gismeteo Plugin off"));
    EXPECT_EQ(StatusText(kSection), Status(L"Плагин погоды выключен"));
    StopEmulator();
    EXPECT_EQ(SettingsFile(), ChosenSettings());
}

TEST_F(FirstRunScenarioTest, FromThePackageToTheSecondStart) {
    SYSTEMTIME started = {};
    GetLocalTime(&started);
    // The lines the server gives, fetched beforehand with plain WinInet.
    gisLine_ = ExpectedStatus(0, TownCode(0, 0)).substr(Status(L"").size());
    wuLine_ = ExpectedStatus(kSource, TownCode(kSource, kTown)).substr(Status(L"").size());
    ASSERT_FALSE(gisLine_.empty());
    ASSERT_FALSE(wuLine_.empty());

    {
        SCOPED_TRACE("first start without a settings file");
        ASSERT_NO_FATAL_FAILURE(FirstStart());
    }
    {
        SCOPED_TRACE("refresh and a whole ticker pass");
        ASSERT_NO_FATAL_FAILURE(RefreshAndTickerPass());
    }
    {
        SCOPED_TRACE("source, town, section and proxy chosen, tested and saved");
        ASSERT_NO_FATAL_FAILURE(ChooseInPreferences());
    }
    {
        SCOPED_TRACE("the forecast inserted into the chat");
        ASSERT_NO_FATAL_FAILURE(InsertIntoChat());
    }
    {
        SCOPED_TRACE("the update timer fires");
        ASSERT_NO_FATAL_FAILURE(UpdateTimerFires());
    }
    {
        SCOPED_TRACE("PE_FINALIZE");
        ASSERT_NO_FATAL_FAILURE(EndSession());
    }
    {
        SCOPED_TRACE("second start in the same folder");
        ASSERT_NO_FATAL_FAILURE(StartAgain());
    }
    EXPECT_EQ(boxes_.seen(), 0) << boxes_.lastText();
    const std::vector<std::string> log = {
        "PE_INITIALIZE received",  "Save settings",          "PE_INITIALIZE complete",
        "PE_PREFERENCES received", "PE_PREFERENCES comlete", "Save settings",
        "PE_FINALIZE received",    "shutdown complete",
        "PE_INITIALIZE received",  "PE_INITIALIZE complete",
        "PE_FINALIZE received",    "shutdown complete",
    };
    EXPECT_EQ(LogMessages(), log);
    // Each line: "[", the time stamp of its moment, "] ", the message, CR LF.
    const std::set<std::string> stamps = StampsSince(started);
    const std::string raw = Log();
    for (std::size_t at = 0; at < raw.size();) {
        const auto end = raw.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "the last line has no CR LF";
        const std::string line = raw.substr(at, end - at);
        const auto close = line.find("] ");
        ASSERT_TRUE(line.starts_with("[") && close != std::string::npos) << line;
        EXPECT_TRUE(stamps.contains(line.substr(1, close - 1))) << line << " (e.g. " << *stamps.begin() << ")";
        at = end + 2;
    }
}

}  // namespace
}  // namespace wine_tests
