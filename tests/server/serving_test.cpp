// Origin and proxy requests, proxy authorisation, unknown towns and hosts,
// the request record and the control endpoints.
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "server_fixture.h"

namespace ow::sample::testing {
namespace {

TEST_F(ServerTest, ServesBothDocumentsInOriginAndProxyForm) {
    struct Case {
        const char* target;
        std::string expected;
        const char* contentType;
    };
    const Case cases[] = {
        {kInformerPath, InformerFor30710(), "application/x-javascript; charset=windows-1251"},
        {kProxyInformerTarget, InformerFor30710(), "application/x-javascript; charset=windows-1251"},
        {kFeedPath, FeedFor30710(), "text/xml; charset=ISO-8859-1"},
        {kProxyFeedTarget, FeedFor30710(), "text/xml; charset=ISO-8859-1"},
    };
    for (const Case& c : cases) {
        auto result = Get(c.target, {{"Host", "anything.example"}});
        ASSERT_TRUE(result) << c.target;
        EXPECT_EQ(result->status, 200) << c.target;
        EXPECT_EQ(result->body, c.expected) << c.target;
        EXPECT_EQ(result->get_header_value("Content-Type"), c.contentType) << c.target;
    }
}

TEST_F(ServerTest, AnswersUnknownTownsPathsAndHostsLikeRealServers) {
    const std::pair<const char*, int> cases[] = {
        {"/text/99999-2.JS", 404},
        {"/auto/rss_full/global/stations/99999.xml", 404},
        {"/text/30710-2.js", 404},  // the path's case matters
        {"/", 404},
        {"http://ru.wunderground.com/text/30710-2.JS", 404},  // informer path on the feed host
        {"http://example.org/text/30710-2.JS", 502},
        {"https://informer.gismeteo.ru/text/30710-2.JS", 502},
    };
    for (const auto& [target, status] : cases) {
        auto result = Get(target);
        ASSERT_TRUE(result) << target;
        EXPECT_EQ(result->status, status) << target;
        EXPECT_NE(result->body.find("<html>"), std::string::npos) << target;
        EXPECT_EQ(result->body.find("authoriz"), std::string::npos) << target;
    }
}

TEST_F(ServerTest, TownListsFromTheDataFolderReplaceTheBuiltInTowns) {
    const auto dir = std::filesystem::temp_directory_path() / ("sample_towns_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "wu_towns.ini", std::ios::binary) << "Ulan-Ude=30823\r\nIrkutsk=30710\r\n";
    ServerConfig config;
    config.dataDir = dir.string();
    Restart(config);
    EXPECT_TRUE(server_->TownListFromFile(Source::Feed));
    EXPECT_FALSE(server_->TownListFromFile(Source::Informer));  // no gis_towns.ini there

    auto ulanUde = Get("/auto/rss_full/global/stations/30823.xml");
    ASSERT_TRUE(ulanUde);
    EXPECT_EQ(ulanUde->status, 200);
    EXPECT_NE(ulanUde->body.find("<title>Weather Underground - Ulan-Ude</title>"), std::string::npos);
    auto moscow = Get("/auto/rss_full/global/stations/27612.xml");
    ASSERT_TRUE(moscow);
    EXPECT_EQ(moscow->status, 404);
    std::filesystem::remove_all(dir);
}

struct AuthCase {
    const char* name;
    const char* target;
    const char* authorization;  // nullptr: no header
    int status;
};

class ProxyAuthTest : public ServerTest, public ::testing::WithParamInterface<AuthCase> {};

TEST_P(ProxyAuthTest, ChallengesProxyRequestsOnly) {
    Control("auth?credentials=user:pass");
    httplib::Headers headers;
    if (GetParam().authorization) headers.emplace("Proxy-Authorization", GetParam().authorization);
    auto result = Get(GetParam().target, headers);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, GetParam().status);
    if (GetParam().status == 407) {
        EXPECT_EQ(result->get_header_value("Proxy-Authenticate"), "Basic realm=\"sample\"");
        EXPECT_NE(result->body.find("407"), std::string::npos);
        EXPECT_NE(result->body.find("authenticat"), std::string::npos);
    } else {
        EXPECT_EQ(result->body, InformerFor30710());
    }
}

// "dXNlcjpwYXNz" is user:pass, "dXNlcjp3cm9uZw==" is user:wrong.
INSTANTIATE_TEST_SUITE_P(
    Cases, ProxyAuthTest,
    ::testing::Values(AuthCase{"NoHeader", kProxyInformerTarget, nullptr, 407},
                      AuthCase{"WrongPassword", kProxyInformerTarget, "Basic dXNlcjp3cm9uZw==", 407},
                      AuthCase{"NotBase64", kProxyInformerTarget, "Basic user:pass", 407},
                      AuthCase{"OtherScheme", kProxyInformerTarget, "Bearer dXNlcjpwYXNz", 407},
                      AuthCase{"Right", kProxyInformerTarget, "Basic dXNlcjpwYXNz", 200},
                      AuthCase{"SchemeInAnyCase", kProxyInformerTarget, "basic dXNlcjpwYXNz", 200},
                      AuthCase{"OriginFormNotChallenged", kInformerPath, nullptr, 200}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServerTest, CredentialsCanBeSetAtStartAndSwitchedOff) {
    ServerConfig config;
    config.credentials = "login:secret";
    Restart(config);
    auto challenged = Get(kProxyInformerTarget);
    ASSERT_TRUE(challenged);
    EXPECT_EQ(challenged->status, 407);
    EXPECT_EQ(Control("ping"), "pong\n");  // control requests are never challenged

    EXPECT_EQ(Control("auth?credentials="), "ok auth=off\n");
    auto open = Get(kProxyInformerTarget);
    ASSERT_TRUE(open);
    EXPECT_EQ(open->status, 200);
}

TEST_F(ServerTest, RecordsRequestLinesAndHeadersAsReceivedInArrivalOrder) {
    const auto logPath =
        std::filesystem::temp_directory_path() / ("sample_requests_" + std::to_string(::getpid()) + ".log");
    std::filesystem::remove(logPath);
    ServerConfig config;
    config.logPath = logPath.string();
    Restart(config);

    const std::string proxied =
        "GET http://informer.gismeteo.ru/text/30710-2.JS HTTP/1.1\r\n"
        "User-Agent: Mozilla\r\nProxy-Authorization: Basic dXNlcjpwYXNz\r\n"
        "Host: informer.gismeteo.ru\r\nPragma: no-cache\r\nConnection: close\r\n\r\n";
    const std::string direct =
        "GET /auto/rss_full/global/stations/30710.xml HTTP/1.0\r\n"
        "Accept: */*\r\nUser-Agent: Mozilla\r\nHost: ru.wunderground.com\r\n\r\n";
    EXPECT_NE(RawExchange(port(), proxied).find("200 OK"), std::string::npos);
    Control("ping");  // not recorded
    EXPECT_NE(RawExchange(port(), direct).find("200 OK"), std::string::npos);

    const std::string expected =
        "GET http://informer.gismeteo.ru/text/30710-2.JS HTTP/1.1\n"
        "User-Agent: Mozilla\nProxy-Authorization: Basic dXNlcjpwYXNz\n"
        "Host: informer.gismeteo.ru\nPragma: no-cache\nConnection: close\n\n"
        "GET /auto/rss_full/global/stations/30710.xml HTTP/1.0\n"
        "Accept: */*\nUser-Agent: Mozilla\nHost: ru.wunderground.com\n\n";
    EXPECT_EQ(Control("requests"), expected);
    std::ifstream log(logPath, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(log), {}), expected);

    EXPECT_EQ(Control("clear"), "ok\n");
    EXPECT_EQ(Control("requests"), "");
    std::filesystem::remove(logPath);
}

TEST_F(ServerTest, RecordsEvenAMalformedRequestBeforeAnswering) {
    const std::string response = RawExchange(port(), "BREW /pot HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_NE(response.find("400"), std::string::npos);
    EXPECT_EQ(Control("requests"), "BREW /pot HTTP/1.1\n\n");
}

TEST_F(ServerTest, ControlEndpointsRejectBadInput) {
    const char* bad[] = {"mode?name=sideways", "mode?name=trickle&interval_ms=-1", "mode?name=large&size_mb=0",
                         "mode?name=large&size_mb=lots", "auth", "nothing-here"};
    for (const char* request : bad) {
        auto result = Get(std::string("/__control/") + request);
        ASSERT_TRUE(result) << request;
        EXPECT_NE(result->status, 200) << request;
    }
    EXPECT_EQ(Control("mode?name=trickle"), "ok mode=trickle interval_ms=20 size_mb=64\n");
    EXPECT_EQ(Control("mode?name=large&size_mb=2"), "ok mode=large interval_ms=0 size_mb=2\n");
    EXPECT_EQ(Control("requests"), "");
}

TEST_F(ServerTest, QuitAnswersThenAsksTheServerToStop) {
    EXPECT_FALSE(server_->WaitForStopRequest(std::chrono::milliseconds(0)));
    EXPECT_EQ(Control("quit"), "bye\n");
    EXPECT_TRUE(server_->WaitForStopRequest(std::chrono::seconds(2)));
}

}  // namespace
}  // namespace ow::sample::testing
