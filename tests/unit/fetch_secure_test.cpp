// The HTTPS download, one step at a time: where it goes, what a refusing
// proxy gets, that the proxy's credential never rides in the headers a
// WinInet may send inside the tunnel, and that only the server's answer
// through the verified tunnel is read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fetch_fake_port.h"
#include "weather/core/fetch_texts.h"
#include "weather/core/internet_port.h"
#include "weather/core/open_meteo_request.h"
#include "weather/core/weather_sources.h"

namespace ow::fetch_test {
namespace {

constexpr int kOpenMeteo = 2;
constexpr char kAccept[] = "Accept: */*";
constexpr char kCredential[] = "Proxy-Authorization: Basic dXNlcjpwYXNz";  // user:pass

struct SecureRig : FetchRig {
    explicit SecureRig(bool proxy = false, bool auth = false) {
        values.SourceIndex = kOpenMeteo;
        values.TownCode = "52.2978,104.2964";
        values.TownName = "Irkutsk";
        values.UseProxy = proxy;
        values.ProxyAuth = auth;
        values.ProxyHost = "127.0.0.1";
        values.ProxyPort = "3128";
        values.ProxyLogin = "user";
        values.ProxyPassword = "pass";
    }
    // Each try goes on a request handle of its own: one answer each, and
    // whether it came through the verified tunnel (the last repeats).
    void Answer(const std::vector<std::uint32_t>& statuses, const std::vector<bool>& tunnelled = {true},
                int failSendAt = -1) {
        for (std::size_t i = 0; i < statuses.size(); ++i) {
            ScriptedResponse response;
            response.packets = {"{\"current\":{}}"};
            response.statuses = {statuses[i]};
            response.secure = {tunnelled[std::min(i, tunnelled.size() - 1)]};
            response.failSendAt = i == 0 ? failSendAt : -1;
            port.responses.push_back(response);
        }
    }
    std::vector<std::string> SentHeaders() const {
        std::vector<std::string> headers;
        for (const auto& send : port.sends) headers.push_back(send.headers);
        return headers;
    }
};

TEST(FetchSecure, GoesToTheForecastHostOneStepAtATime) {
    SecureRig rig;
    rig.Answer({200});

    const FetchResult result = rig.Fetch();

    EXPECT_TRUE(result.extracted);
    ASSERT_EQ(rig.extractions.size(), 1u);
    EXPECT_EQ(rig.extractions[0].sourceIndex, kOpenMeteo);
    EXPECT_EQ(rig.extractions[0].townName, "Irkutsk");
    EXPECT_TRUE(rig.port.urls.empty()) << "no InternetOpenUrlA for HTTPS";
    ASSERT_EQ(rig.port.connects.size(), 1u);
    EXPECT_EQ(rig.port.connects[0].host, kOpenMeteoHost);
    EXPECT_EQ(rig.port.connects[0].port, 443);
    ASSERT_EQ(rig.port.requests.size(), 1u);
    EXPECT_EQ("https://" + std::string(kOpenMeteoHost) + rig.port.requests[0].object, BuildOpenMeteoUrl(rig.values.TownCode));
    // Fresh, secure, and nothing that could show a dialog or certificate leniency.
    // Nothing sent that the download does not count: no challenge answered, no redirect followed.
    EXPECT_EQ(rig.port.requests[0].flags, kFlagReload | kFlagNoCacheWrite | kFlagPragmaNoCache | kFlagNoCookies |
                                              kFlagNoUi | kFlagNoAuth | kFlagNoAutoRedirect | kFlagSecure);
    EXPECT_EQ(rig.SentHeaders(), std::vector<std::string>{kAccept});
    // The last opened goes first: request, connection, Internet handle.
    const HInternet internet = rig.port.internetHandles.at(0);
    ASSERT_EQ(rig.port.closes.size(), 3u);
    EXPECT_EQ(rig.port.closes[0], rig.port.urlHandles.at(0));
    EXPECT_EQ(rig.port.closes[2], internet);
    EXPECT_TRUE(rig.port.faults.empty());
    EXPECT_TRUE(rig.port.AllClosed());
}

enum class Outcome { Forecast, ProxyAuthFailed, ConnectionError };

// What each try is answered, whether that answer came through the verified
// tunnel (the server's certificate on the handle), and what the download
// sends and shows.
struct ProxyCase {
    const char* name;
    bool auth;
    std::vector<std::uint32_t> statuses;
    std::vector<bool> tunnelled;
    std::vector<std::string> sent;
    Outcome outcome;
    friend void PrintTo(const ProxyCase& c, std::ostream* os) { *os << c.name; }
};

class FetchSecureProxy : public testing::TestWithParam<ProxyCase> {};

TEST_P(FetchSecureProxy, AnswersOnlyTheProxyAndTakesOnlyTheServersAnswer) {
    const ProxyCase& c = GetParam();
    SecureRig rig(true, c.auth);
    // A refusal repeats while the download asks again.
    std::vector<std::uint32_t> statuses = c.statuses;
    statuses.resize(3, statuses.back());
    rig.Answer(statuses, c.tunnelled);

    const FetchResult result = rig.Fetch();

    EXPECT_EQ(rig.SentHeaders(), c.sent);
    // Never sent again on the handle, and so the connection, the proxy refused.
    EXPECT_EQ(rig.port.requests.size(), c.sent.size());
    switch (c.outcome) {
        case Outcome::Forecast:
            EXPECT_TRUE(result.extracted);
            break;
        case Outcome::ProxyAuthFailed:
            EXPECT_EQ(result.text, kProxyAuthFailedText);
            break;
        case Outcome::ConnectionError:
            EXPECT_EQ(result.text, kConnectionErrorText.view());
            break;
    }
    if (c.outcome != Outcome::Forecast) {
        EXPECT_FALSE(result.extracted);
        EXPECT_TRUE(rig.extractions.empty()) << "a refusal is not read as a document";
    }
    if (c.auth) {
        // The credential options, where a WinInet answers the proxy from:
        // on the Internet handle and on every request handle, a fresh one
        // for each try.
        ASSERT_EQ(rig.port.sends.size(), c.sent.size());
        for (const auto& send : rig.port.sends) {
            int onRequest = 0;
            for (const auto& option : rig.port.options) onRequest += option.handle == send.request ? 1 : 0;
            EXPECT_EQ(onRequest, 2);
        }
    }
    EXPECT_TRUE(rig.port.AllClosed());
    EXPECT_TRUE(rig.port.faults.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Fetch, FetchSecureProxy,
    testing::Values(
        ProxyCase{"OpenProxy", false, {200}, {true}, {kAccept}, Outcome::Forecast},
        ProxyCase{"RefusedWithoutCredential", false, {407}, {false}, {kAccept}, Outcome::ProxyAuthFailed},
        ProxyCase{"AcceptedAtOnce", true, {200}, {true}, {kAccept}, Outcome::Forecast},
        // A WinInet that answers the challenge from the options.
        ProxyCase{"AnsweredFromTheOptions", true, {407, 200}, {false, true}, {kAccept, kAccept}, Outcome::Forecast},
        // One that does not: the credential goes, to a proxy that refused twice.
        ProxyCase{"CredentialOnTheLastTry", true, {407, 407, 200}, {false, false, true}, {kAccept, kAccept, kCredential},
                  Outcome::Forecast},
        ProxyCase{"WrongPassword", true, {407}, {false}, {kAccept, kAccept, kCredential}, Outcome::ProxyAuthFailed},
        // The server beyond the tunnel asks for the proxy's credential: it is
        // no proxy, and gets nothing, however often it asks.
        ProxyCase{"ServerChallengesThroughTheTunnel", true, {407}, {true}, {kAccept}, Outcome::ConnectionError},
        ProxyCase{"ServerChallengesOnceTheTunnelStands", true, {407}, {false, true}, {kAccept, kAccept},
                  Outcome::ConnectionError},
        // The proxy's own answers other than a challenge end the download at
        // once, whatever their status or body.
        ProxyCase{"TunnelRefusedWith502", true, {502}, {false}, {kAccept}, Outcome::ConnectionError},
        ProxyCase{"AnsweredInTheClear", false, {200}, {false}, {kAccept}, Outcome::ConnectionError},
        ProxyCase{"AnsweredInTheClearAfterAChallenge", true, {407, 200}, {false}, {kAccept, kAccept},
                  Outcome::ConnectionError}),
    [](const testing::TestParamInfo<ProxyCase>& info) { return info.param.name; });

TEST(FetchSecure, ACertificateThatDoesNotVerifyIsAConnectionError) {
    SecureRig rig;
    rig.Answer({200}, {true}, 0);  // the send fails, as WinInet's does for an untrusted certificate
    const FetchResult result = rig.Fetch();
    EXPECT_EQ(result.text, kConnectionErrorText.view());
    EXPECT_TRUE(rig.port.reads.empty());
    EXPECT_TRUE(rig.port.AllClosed());
}

TEST(FetchSecure, CoordinatesThatNameNoPlaceRequestNothing) {
    for (const char* code : {"", "55.7,", "91,37", "55.7558;37.6173", "55.7558,37.6173,1"}) {
        SCOPED_TRACE(code);
        SecureRig rig;
        rig.values.TownCode = code;
        const FetchResult result = rig.Fetch();
        EXPECT_EQ(result.text, TheWeatherSources()[kOpenMeteo].badTownText);
        EXPECT_EQ(rig.display.CachedWeatherLine, result.text);
        EXPECT_FALSE(result.extracted);
        EXPECT_TRUE(rig.port.opens.empty());
        EXPECT_EQ(rig.tickerStarts, 0);
    }
}

TEST(FetchSecure, FinalisedWhileSendingStopsAndClosesEverything) {
    SecureRig rig(true, true);
    rig.Answer({407, 407, 200}, {false, false, true});
    int sends = 0;
    rig.port.whileSending = [&] {
        if (++sends == 2) rig.registry.CloseAll();
    };
    const FetchResult result = rig.Fetch();
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(rig.port.sends.size(), 2u);
    EXPECT_EQ(rig.display.CachedWeatherLine, "error");
    EXPECT_TRUE(rig.port.AllClosed());
}

}  // namespace
}  // namespace ow::fetch_test
