#include "download_fixture.h"


#include "weather/core/extract_weather_line.h"

#include <utility>

namespace wine_tests {

namespace {

constexpr char kCallerClass[] = "OwTestNestedCaller";
constexpr UINT kRunPosted = WM_APP + 1;

}  // namespace

NestedCaller::NestedCaller() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &NestedCaller::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kCallerClass;
    RegisterClassExA(&wc);  // fails harmlessly once registered
    window_ = CreateWindowExA(0, kCallerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

NestedCaller::~NestedCaller() {
    if (IsWindow(window_)) DestroyWindow(window_);
}

UINT_PTR NestedCaller::Store(std::function<void()> action) {
    actions_.push_back(std::move(action));
    return actions_.size();  // ids from 1: a timer id must not be 0
}

void NestedCaller::Post(std::function<void()> action) {
    PostMessageA(window_, kRunPosted, Store(std::move(action)), 0);
}

void NestedCaller::After(UINT milliseconds, std::function<void()> action) {
    SetTimer(window_, Store(std::move(action)), milliseconds, nullptr);
}

void NestedCaller::CancelAll() {
    for (UINT_PTR id = 1; id <= actions_.size(); ++id) KillTimer(window_, id);
    for (auto& action : actions_) action = nullptr;
}

LRESULT CALLBACK NestedCaller::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<NestedCaller*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self != nullptr && (msg == kRunPosted || msg == WM_TIMER)) {
        if (msg == WM_TIMER) KillTimer(hwnd, wp);
        if (wp >= 1 && wp <= self->actions_.size()) {
            // A copy: the action may store further actions.
            const std::function<void()> action = self->actions_[wp - 1];
            if (action) action();
        }
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void DownloadTest::SetUp() {
    PluginTest::SetUp();
    const auto port = SampleServerControl::PortFromEnvironment();
    if (!port) GTEST_SKIP() << "no sample weather server: OW_SERVER_PORT is not set (run through wine_runner.sh)";
    server_.emplace(*port);
    // Each test starts the server over: normal documents, no credentials, no record.
    ASSERT_TRUE(server_->SetMode("name=normal")) << "the sample server on port " << *port << " does not answer";
    ASSERT_TRUE(server_->SetCredentials(""));
    ASSERT_TRUE(server_->ClearRecord());
}

void DownloadTest::TearDown() {
    PluginTest::TearDown();
    if (server_) {
        server_->SetMode("name=normal");
        server_->SetCredentials("");
    }
}

Settings DownloadTest::TickingSettings() const {
    Settings settings = BaseSettings();
    settings["use-scroll"] = "1";
    settings["bar-refresh"] = "1";
    return settings;
}

std::string DownloadTest::FinalizeReply() {
    return host::Envelope("\x02" + host::Int32Bytes(19) + "Gismeteo Plugin off" + host::Int32Bytes(4));
}

void DownloadTest::WriteSettings(const Settings& settings) {
    ASSERT_TRUE(WriteFileBytes(PluginsDir() + "\\ostixweather.ini", SettingsFileText(settings)));
}

host::HostEmulator& DownloadTest::StartWith(const Settings& settings) {
    WriteSettings(settings);
    auto& e = Start();
    EXPECT_TRUE(e.Initialize().has_value());
    EXPECT_EQ(StatusText(2), Status(L"Плагин погоды включен"));
    return e;
}

std::string DownloadTest::TownCode(int source, int index) { return ShippedTown(source, index).Code; }

std::string DownloadTest::TownName(int source, int index) { return ShippedTown(source, index).Name; }

std::string DownloadTest::DocumentUrl(int source, const std::string& code) {
    return ow::TheWeatherSources()[source].url(code).value_or(std::string());
}

std::string DownloadTest::ExpectedStatus(int source, const std::string& code, const std::string& townName) {
    const std::string url = DocumentUrl(source, code);
    std::string document;
    EXPECT_TRUE(BareWinInetGet(server_->ProxyText(), url, &document).has_value()) << url;
    EXPECT_TRUE(server_->ClearRecord());
    const std::string line = ow::ExtractWeatherLine(document, source, townName);
    EXPECT_FALSE(line.empty()) << "no weather line in the server's document for " << url;
    return Cp1251(L"ПОГОДА: ") + line;
}

std::optional<RecordedRequest> DownloadTest::BareRequest(const std::string& url, bool direct) {
    if (!server_->ClearRecord()) return std::nullopt;
    BareWinInetGet(direct ? std::string() : server_->ProxyText(), url, nullptr);
    const auto requests = server_->Requests();
    if (requests.empty()) return std::nullopt;
    return requests.back();
}

std::vector<std::string> DownloadTest::StatusWrites(int section, std::size_t from) {
    std::vector<std::string> texts;
    const auto& writes = emu().window().statusWrites();
    for (std::size_t i = from; i < writes.size(); ++i) {
        if (writes[i].section == section) texts.push_back(writes[i].text);
    }
    return texts;
}

int DownloadTest::TimerTicks(HWND window, UINT_PTR id) {
    int n = 0;
    for (const auto& t : emu().timers) n += (t.window == window && t.id == id) ? 1 : 0;
    return n;
}

bool DownloadTest::PumpUntilTick(HWND window, UINT_PTR id, DWORD milliseconds) {
    const int before = TimerTicks(window, id);
    return emu().PumpUntil([&] { return TimerTicks(window, id) > before; }, milliseconds);
}

void DownloadTest::RecordSteps(HWND window, int section) {
    emu().afterDispatch = [this, window, section](const MSG& msg) {
        if (msg.message == WM_TIMER && msg.hwnd == window) steps_.push_back({msg.wParam, StatusText(section), msg.time});
    };
}

std::vector<TimerStep> DownloadTest::Steps(UINT_PTR id) const {
    std::vector<TimerStep> out;
    for (const auto& s : steps_) {
        if (s.id == id) out.push_back(s);
    }
    return out;
}

std::vector<std::string> ExpectedPass(const std::string& prefix, const std::string& line) {
    std::vector<std::string> pass;
    const std::size_t n = line.size();
    for (std::size_t k = 1; k <= n + 5; ++k) {
        if (k <= 6 || k == n + 5) {
            pass.push_back(prefix + line);
        } else {
            pass.push_back(prefix + line.substr(k - 6));
        }
    }
    return pass;
}

void DownloadTest::WhenTheServerHolds(std::function<void()> action, UINT delayMs) {
    poll_ = [this, action, delayMs] {
        if (server().Requests().empty()) {
            caller_.After(20, poll_);
        } else {
            caller_.After(delayMs, action);
        }
    };
    caller_.After(20, poll_);
}

int DownloadTest::CountingHostTicks(const std::function<void()>& action) {
    constexpr UINT kTickMs = 50;
    int ticks = 0;
    bool clicking = true;
    std::function<void()> tick = [&] {
        if (clicking) ++ticks;
        caller_.After(kTickMs, tick);
    };
    caller_.After(kTickMs, tick);
    action();
    clicking = false;
    caller_.CancelAll();  // nothing may run later on this frame's values
    return ticks;
}

std::optional<std::size_t> DownloadTest::FinalizeDuringTheRefresh(host::HostEmulator& e) {
    std::optional<std::string> reply;
    std::size_t writes = 0;
    WhenTheServerHolds([&] {
        reply = e.Finalize().value_or("(null)");
        writes = StatusWriteCount();
    });
    e.ClickIcon(0);
    caller_.CancelAll();  // nothing may run later on this frame's values
    if (!reply) return std::nullopt;
    EXPECT_EQ(*reply, FinalizeReply());
    EXPECT_EQ(StatusText(2), Status(L"Плагин погоды выключен"));
    return writes;
}

}  // namespace wine_tests
