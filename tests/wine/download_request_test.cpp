// What the plug-in sends when the icon is clicked, and what it shows for each
// way the server or the proxy can answer.
#include "download_fixture.h"
#include "display/core/window_timers.h"

namespace wine_tests {
namespace {

// Wine's WinInet names the default port in the absolute URI it sends to a
// proxy ("http://host:80/path"); other WinInets leave it out.
std::string WithoutDefaultPort(std::string requestLine) {
    const auto port = requestLine.find(":80/");
    if (port != std::string::npos) requestLine.erase(port, 3);
    return requestLine;
}

struct RequestCase {
    const char* name;
    int source;
    int city;
    bool auth;
    const char* login;
    const char* password;
    const char* encodedCredential;  // Base64 of login ":" password
};
void PrintTo(const RequestCase& c, std::ostream* os) { *os << c.name; }

class DownloadRequestTest : public DownloadTest, public ::testing::WithParamInterface<RequestCase> {};

TEST_P(DownloadRequestTest, ServerRecordsTheRequestAndTheLineScrolls) {
    const RequestCase& c = GetParam();
    const std::string code = TownCode(c.source, c.city);
    ASSERT_FALSE(code.empty());
    const std::string expected = ExpectedStatus(c.source, code);
    const std::string credentials = std::string(c.login) + ":" + c.password;
    if (c.auth) ASSERT_TRUE(server().SetCredentials(credentials));

    Settings settings = BaseSettings();
    settings["resource"] = std::to_string(c.source);
    settings["city"] = std::to_string(c.city);
    settings["use-scroll"] = "1";
    settings["proxy-auth"] = c.auth ? "1" : "0";
    settings["proxy-login"] = c.login;
    settings["proxy-pass"] = c.password;
    auto& e = StartWith(settings);

    e.ClickIcon(0);
    EXPECT_EQ(StatusText(2), expected);

    const auto requests = server().Requests();
    ASSERT_EQ(requests.size(), 1u);
    const RecordedRequest& sent = requests[0];
    EXPECT_EQ(WithoutDefaultPort(sent.line), "GET " + DocumentUrl(c.source, code) + " HTTP/1.1");
    EXPECT_EQ(sent.CountExact("User-Agent: Mozilla"), 1);
    EXPECT_EQ(sent.CountPrefix("User-Agent:"), 1);
    EXPECT_EQ(sent.CountPrefix("Proxy-Authorization:"), c.auth ? 1 : 0);

    // WinInet adds headers of its own (Wine's adds "Accept: */*" to every
    // request): beyond those of a plain request the plug-in adds exactly one.
    const auto bare = BareRequest(DocumentUrl(c.source, code));
    ASSERT_TRUE(bare.has_value());
    EXPECT_EQ(sent.line, bare->line);
    const std::string added =
        c.auth ? std::string("Proxy-Authorization: Basic ") + c.encodedCredential : std::string("Accept: */*");
    EXPECT_EQ(HeadersBeyond(sent, *bare), std::vector<std::string>{added});
    EXPECT_TRUE(HeadersBeyond(*bare, sent).empty());

    // A document was extracted: the ticker runs on the form's window.
    EXPECT_TRUE(PumpUntilTick(FindForm(), ow::kScrollTimer, 2000));
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(
    Proxy, DownloadRequestTest,
    ::testing::Values(RequestCase{"InformerThroughProxy", 0, 0, false, "", "", ""},
                      RequestCase{"InformerWithCredential", 0, 3, true, "weather", "s3cret:x",
                                  "d2VhdGhlcjpzM2NyZXQ6eA=="},
                      RequestCase{"FeedThroughProxy", 1, 2, false, "", "", ""},
                      RequestCase{"FeedWithEmptyCredential", 1, 5, true, "", "", "Og=="}),
    [](const ::testing::TestParamInfo<RequestCase>& info) { return std::string(info.param.name); });

class DownloadRequestLineTest : public DownloadTest {};

TEST_F(DownloadRequestLineTest, FirstInformerTownIsIrkutsk) {
    // The town list's first entry, written out: the code goes in unchanged.
    auto& e = StartWith(BaseSettings());
    e.ClickIcon(0);
    const auto requests = server().Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(WithoutDefaultPort(requests[0].line), "GET http://informer.gismeteo.ru/text/30710-2.JS HTTP/1.1");
    e.Finalize();
}

TEST_F(DownloadRequestLineTest, EveryLeftClickDownloadsAgain) {
    auto& e = StartWith(BaseSettings());
    const std::string expected = ExpectedStatus(0, TownCode(0, 0));
    for (int click = 1; click <= 3; ++click) {
        e.window().SetStatusText(2, "host text");
        e.ClickIcon(0);
        EXPECT_EQ(StatusText(2), expected);
        EXPECT_EQ(server().Requests().size(), static_cast<std::size_t>(click));
    }
    e.Finalize();
}

enum class ProxyPort { Server, NothingListens };

struct FailureCase {
    const char* name;
    const char* mode;                 // the server's behaviour
    const char* serverCredentials;    // "" : the proxy asks for none
    const char* pluginCredentials;    // "" : the plug-in sends none
    ProxyPort port;
    const wchar_t* shown;             // after "ПОГОДА: "
};
void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class DownloadFailureTest : public DownloadTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(DownloadFailureTest, ShowsTheFailureAndStartsNoTicker) {
    const FailureCase& c = GetParam();
    ASSERT_TRUE(server().SetMode(std::string("name=") + c.mode));
    ASSERT_TRUE(server().SetCredentials(c.serverCredentials));
    Settings settings = BaseSettings();
    settings["use-scroll"] = "1";
    settings["bar-refresh"] = "1";
    if (c.port == ProxyPort::NothingListens) settings["proxy-port"] = std::to_string(UnusedLoopbackPort());
    const std::string plugin = c.pluginCredentials;
    if (!plugin.empty()) {
        settings["proxy-auth"] = "1";
        settings["proxy-login"] = plugin.substr(0, plugin.find(':'));
        settings["proxy-pass"] = plugin.substr(plugin.find(':') + 1);
    }
    auto& e = StartWith(settings);
    HWND form = FindForm();

    e.ClickIcon(0);
    const std::string shown = Status(c.shown);
    EXPECT_EQ(StatusText(2), shown);
    if (c.port == ProxyPort::Server) EXPECT_FALSE(server().Requests().empty());

    // Six scroll intervals: no ticker step, no re-display, the text stays.
    e.Pump(600);
    EXPECT_EQ(TimerTicks(form, ow::kScrollTimer), 0);
    EXPECT_EQ(TimerTicks(form, ow::kRedisplayTimer), 0);
    EXPECT_EQ(StatusText(2), shown);
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(
    Proxy, DownloadFailureTest,
    ::testing::Values(
        FailureCase{"WrongCredentials", "normal", "owner:right", "owner:wrong", ProxyPort::Server,
                    L"Proxy authorization failed!"},
        FailureCase{"NoCredentials", "normal", "owner:right", "", ProxyPort::Server, L"Proxy authorization failed!"},
        FailureCase{"PageSaysAuthorized", "authoriz", "", "", ProxyPort::Server, L"Proxy authorization failed!"},
        FailureCase{"NothingListens", "normal", "", "", ProxyPort::NothingListens, L"Ошибка соединения"},
        FailureCase{"ConnectionRefused", "refuse", "", "", ProxyPort::Server, L"Ошибка соединения"},
        FailureCase{"BlankBody", "blank", "", "", ProxyPort::Server, L"Ошибка соединения"},
        FailureCase{"EmptyBody", "empty", "", "", ProxyPort::Server, L"Ошибка соединения"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wine_tests
