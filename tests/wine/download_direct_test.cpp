// A direct connection, no proxy. Runs only inside the private network and
// mount namespace that direct_namespace_test.sh makes, where the weather
// hosts resolve to loopback and the sample server answers on port 80 (and
// with HTTPS on port 443).
#include <windows.h>
#include <wininet.h>

#include <cstdlib>

#include "download_fixture.h"

namespace wine_tests {
namespace {

struct DirectCase {
    const char* name;
    int source;
    int city;
    bool proxyAuth;  // ticked, but means nothing without a proxy
    const char* host;
};
void PrintTo(const DirectCase& c, std::ostream* os) { *os << c.name; }

class DownloadDirectTest : public DownloadTest, public ::testing::WithParamInterface<DirectCase> {
protected:
    void SetUp() override {
        if (std::getenv("OW_DIRECT_HOSTS") == nullptr) GTEST_SKIP() << "only inside direct_namespace_test.sh";
        DownloadTest::SetUp();
    }
};

TEST_P(DownloadDirectTest, GoesStraightToTheWeatherHost) {
    const DirectCase& c = GetParam();
    const std::string code = TownCode(c.source, c.city);
    const std::string expected = ExpectedStatus(c.source, code);
    Settings settings = BaseSettings();
    settings["use-proxy"] = "0";
    settings["resource"] = std::to_string(c.source);
    settings["city"] = std::to_string(c.city);
    settings["proxy-auth"] = c.proxyAuth ? "1" : "0";
    settings["proxy-login"] = "weather";
    settings["proxy-pass"] = "secret";
    auto& e = StartWith(settings);

    e.ClickIcon(0);
    EXPECT_EQ(StatusText(2), expected);
    const auto requests = server().Requests();
    ASSERT_EQ(requests.size(), 1u);
    const RecordedRequest& sent = requests[0];
    const std::string url = DocumentUrl(c.source, code);
    // Origin form: the path only, the host in its header.
    EXPECT_EQ(sent.line, "GET " + url.substr(url.find('/', 7)) + " HTTP/1.1");
    EXPECT_EQ(sent.CountExact(std::string("Host: ") + c.host), 1);
    EXPECT_EQ(sent.CountExact("User-Agent: Mozilla"), 1);
    EXPECT_EQ(sent.CountPrefix("Proxy-Authorization:"), 0);

    const auto bare = BareRequest(url, /*direct=*/true);
    ASSERT_TRUE(bare.has_value());
    EXPECT_EQ(sent.line, bare->line);
    EXPECT_EQ(HeadersBeyond(sent, *bare), std::vector<std::string>{"Accept: */*"});
    EXPECT_TRUE(HeadersBeyond(*bare, sent).empty());
    e.Finalize();
}

// Open-Meteo straight to its host over HTTPS (the server's TLS port 443 in
// the namespace), with a credential ticked that means nothing without a proxy.
TEST_F(DownloadDirectTest, GoesStraightToTheForecastHostOverTls) {
    if (std::getenv("OW_TLS_DIR") == nullptr) GTEST_SKIP() << "no test authority (OW_TLS_DIR)";
    constexpr int kOpenMeteo = 2;
    // Plain WinInet first: where Wine inside this namespace cannot finish
    // the certificate's revocation check (12057), nothing here can pass.
    const std::string url = DocumentUrl(kOpenMeteo, TownCode(kOpenMeteo, 0));
    if (!BareWinInetGet("", url, nullptr).has_value() && GetLastError() == ERROR_INTERNET_SEC_CERT_REV_FAILED)
        GTEST_SKIP() << "Wine in this namespace cannot check the test certificate's revocation";
    ASSERT_TRUE(server().ClearRecord());
    Settings settings = BaseSettings();
    settings["use-proxy"] = "0";
    settings["resource"] = std::to_string(kOpenMeteo);
    settings["city"] = "0";
    settings["proxy-auth"] = "1";
    settings["proxy-login"] = "weather";
    settings["proxy-pass"] = "secret";
    auto& e = StartWith(settings);
    e.ClickIcon(0);
    const std::string shown = StatusText(2);
    const std::string opening = Status(L"Иркутск. Сейчас ");
    EXPECT_EQ(shown.substr(0, opening.size()), opening);
    const auto requests = server().Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].line.rfind("TLS GET /v1/forecast?latitude=52.2978&longitude=104.2964&", 0), 0u)
        << requests[0].line;
    EXPECT_EQ(requests[0].CountExact("Host: api.open-meteo.com"), 1);
    EXPECT_EQ(requests[0].CountPrefix("Proxy-Authorization:"), 0);
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(Download, DownloadDirectTest,
                         ::testing::Values(DirectCase{"Informer", 0, 0, false, "informer.gismeteo.ru"},
                                           DirectCase{"FeedWithAuthorisationTicked", 1, 1, true,
                                                      "ru.wunderground.com"}),
                         [](const ::testing::TestParamInfo<DirectCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace wine_tests
