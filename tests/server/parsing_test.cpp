// The server's small parsers: dates, request targets, credentials, behaviours
// and the command line.
#include <gtest/gtest.h>

#include "behaviour.h"
#include "calendar_date.h"
#include "command_line.h"
#include "connect_request.h"
#include "open_meteo_query.h"
#include "proxy_credentials.h"
#include "request_target.h"
#include "weather_source.h"

namespace ow::sample {
namespace {

TEST(CalendarDate, ParsesIsoDatesAndKnowsWeekdays) {
    EXPECT_EQ(ParseIsoDate("2026-12-08"), (CalendarDate{2026, 12, 8}));
    EXPECT_EQ(ParseIsoDate("2024-02-29"), (CalendarDate{2024, 2, 29}));
    for (const char* bad : {"2023-02-29", "2026-13-01", "2026-00-10", "1969-12-31", "2026-1-08", "2026-12-08x",
                            "+026-12-08", ""})
        EXPECT_EQ(ParseIsoDate(bad), std::nullopt) << bad;
    EXPECT_EQ(Weekday({2026, 12, 8}), 2);
    EXPECT_EQ(Weekday({1970, 1, 1}), 4);
    EXPECT_EQ(Weekday({2000, 2, 29}), 2);
    for (std::int64_t serial = -800; serial < 40000; serial += 37)
        EXPECT_EQ(DaySerial(DateFromSerial(serial)), serial);
}

TEST(RequestTarget, TellsOriginFromProxyForm) {
    const auto origin = ParseRequestTarget("/text/30710-2.JS?x=1");
    EXPECT_FALSE(origin.proxyForm);
    EXPECT_EQ(origin.path, "/text/30710-2.JS");

    const auto proxy = ParseRequestTarget("HTTP://user@Informer.Gismeteo.RU:80/text/1-2.JS?q");
    EXPECT_TRUE(proxy.proxyForm);
    EXPECT_EQ(proxy.host, "informer.gismeteo.ru");
    EXPECT_EQ(proxy.path, "/text/1-2.JS");

    EXPECT_EQ(ParseRequestTarget("http://ru.wunderground.com").path, "/");
    EXPECT_EQ(ParseRequestTarget("ftp://ru.wunderground.com/x").host, "");
}

TEST(WeatherSource, MatchesDocumentPathsExactly) {
    const auto informer = MatchDocumentPath("/text/30710-2.JS");
    ASSERT_TRUE(informer);
    EXPECT_EQ(informer->source, Source::Informer);
    EXPECT_EQ(informer->townCode, "30710");
    const auto feed = MatchDocumentPath("/auto/rss_full/global/stations/ab%20c.xml");
    ASSERT_TRUE(feed);
    EXPECT_EQ(feed->source, Source::Feed);
    EXPECT_EQ(feed->townCode, "ab%20c");
    for (const char* other : {"/text/-2.JS", "/text/1-2.js", "/text/a/b-2.JS", "/auto/rss_full/global/stations/.xml"})
        EXPECT_EQ(MatchDocumentPath(other), std::nullopt) << other;
    EXPECT_EQ(SourceOfHost("RU.wunderground.com"), Source::Feed);
    EXPECT_EQ(SourceOfHost("wunderground.com"), std::nullopt);
}

TEST(ProxyCredentials, DecodesBase64StrictlyAndComparesExactly) {
    const std::pair<const char*, const char*> vectors[] = {
        {"", ""}, {"Zg==", "f"}, {"Zm8=", "fo"}, {"Zm9v", "foo"}, {"Zm9vYg==", "foob"}, {"Zm9vYmE=", "fooba"},
        {"Zm9vYmFy", "foobar"}, {"Og==", ":"}};
    for (const auto& [encoded, decoded] : vectors) EXPECT_EQ(DecodeBase64(encoded), decoded) << encoded;
    for (const char* bad : {"Zg=", "Zg=a", "Z===", "Zm9v!A==", "Zg==Zg=="}) EXPECT_EQ(DecodeBase64(bad), std::nullopt) << bad;

    EXPECT_TRUE(ProxyCredentialsMatch("Basic dXNlcjpwYXNz", "user:pass"));
    EXPECT_TRUE(ProxyCredentialsMatch("  BASIC   dXNlcjpwYXNz ", "user:pass"));
    EXPECT_TRUE(ProxyCredentialsMatch("Basic Og==", ":"));
    EXPECT_FALSE(ProxyCredentialsMatch("Basic dXNlcjpwYXNz", "user:pas"));
    EXPECT_FALSE(ProxyCredentialsMatch("Basicx dXNlcjpwYXNz", "user:pass"));
    EXPECT_FALSE(ProxyCredentialsMatch("", "user:pass"));
}

TEST(Behaviour, ParsesModesWithTheirDefaults) {
    std::string error;
    const auto trickle = MakeBehaviour("trickle", "", "", &error);
    ASSERT_TRUE(trickle);
    EXPECT_EQ(trickle->interval, std::chrono::milliseconds(20));
    const auto slow = MakeBehaviour("slow-start", "", "", &error);
    ASSERT_TRUE(slow);
    EXPECT_EQ(slow->interval, std::chrono::milliseconds(2000));
    for (const char* once : {"pause-mid-body", "hold-close"})
        EXPECT_EQ(MakeBehaviour(once, "", "", &error)->interval, std::chrono::milliseconds(2000)) << once;
    const auto large = MakeBehaviour("large", "5", "3", &error);
    ASSERT_TRUE(large);
    EXPECT_EQ(large->sizeMb, 3u);
    for (const char* name : {"normal", "refuse", "close-mid-body", "empty", "blank", "trickle", "large",
                             "authoriz", "slow-start", "pause-mid-body", "hold-close", "example", "api-error",
                             "not-json", "slow-handshake"})
        EXPECT_EQ(ModeName(*ParseMode(name)), name);
    EXPECT_EQ(MakeBehaviour("slow-handshake", "", "", &error)->interval, std::chrono::milliseconds(2000));
    EXPECT_FALSE(MakeBehaviour("Normal", "", "", &error));
    EXPECT_FALSE(MakeBehaviour("large", "", "4097", &error));
    EXPECT_FALSE(MakeBehaviour("trickle", "1e3", "", &error));
}

TEST(CommandLine, ReadsEveryFlagAndRefusesWhatItCannotHonour) {
    std::string error;
    const auto defaults = ParseCommandLine({}, "/repo/data", &error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->config.port, 0);
    EXPECT_EQ(defaults->config.bindAddress, "127.0.0.1");
    EXPECT_EQ(defaults->config.dataDir, "/repo/data");
    EXPECT_EQ(defaults->maxSeconds, 3600);
    EXPECT_EQ(defaults->config.date, kDefaultForecastDate);

    const auto full = ParseCommandLine({"--port", "8080", "--port-file", "/tmp/p", "--log=/tmp/l", "--auth", "u:p=w",
                                        "--mode", "trickle", "--interval-ms", "5", "--bind", "127.0.0.2",
                                        "--data-dir", "/d", "--date", "2027-01-02", "--max-seconds", "60"},
                                       "/repo/data", &error);
    ASSERT_TRUE(full) << error;
    EXPECT_EQ(full->config.port, 8080);
    EXPECT_EQ(full->portFile, "/tmp/p");
    EXPECT_EQ(full->config.logPath, "/tmp/l");
    EXPECT_EQ(full->config.credentials, "u:p=w");
    EXPECT_EQ(full->config.behaviour.mode, Mode::Trickle);
    EXPECT_EQ(full->config.behaviour.interval, std::chrono::milliseconds(5));
    EXPECT_EQ(full->config.bindAddress, "127.0.0.2");
    EXPECT_EQ(full->config.dataDir, "/d");
    EXPECT_EQ(full->config.date, (CalendarDate{2027, 1, 2}));
    EXPECT_EQ(full->maxSeconds, 60);

    EXPECT_EQ(full->config.tlsDir, "");
    EXPECT_EQ(full->config.tlsPort, std::nullopt);

    const auto tls = ParseCommandLine({"--tls-dir", "/ca", "--tls-port", "443", "--tls-port-file", "/tmp/t",
                                       "--cert=expired"},
                                      "", &error);
    ASSERT_TRUE(tls) << error;
    EXPECT_EQ(tls->config.tlsDir, "/ca");
    EXPECT_EQ(tls->config.tlsPort, 443);
    EXPECT_EQ(tls->tlsPortFile, "/tmp/t");
    EXPECT_EQ(tls->config.certificate, Certificate::Expired);
    EXPECT_EQ(defaults->config.certificate, Certificate::Good);

    const std::vector<std::vector<std::string>> bad = {
        {"--bind", "0.0.0.0"}, {"--bind", "10.0.0.1"}, {"--bind", "127.0.0"}, {"--port", "65536"},
        {"--mode", "sideways"}, {"--max-seconds", "0"},   {"--date", "tomorrow"}, {"--port"},
        {"--frobnicate", "1"}, {"--tls-port", "0"}, {"--tls-dir", "/ca", "--tls-port", "-1"},
        {"--tls-dir", "/ca", "--tls-port-file", "/tmp/t"}, {"--cert", "self-signed"}};
    for (const auto& args : bad) EXPECT_FALSE(ParseCommandLine(args, "", &error)) << args[0];
}

TEST(ConnectRequest, ReadsTheTargetAndTheCredentials) {
    const auto request = ParseConnectRequest(
        "CONNECT Api.Open-Meteo.com:443 HTTP/1.1\r\nHost: x\r\nproxy-authorization:  Basic dXNlcjpwYXNz \r\n\r\n");
    ASSERT_TRUE(request);
    EXPECT_EQ(request->host, "Api.Open-Meteo.com");
    EXPECT_EQ(request->port, "443");
    EXPECT_EQ(request->proxyAuthorization, "Basic dXNlcjpwYXNz");
    const auto bare = ParseConnectRequest("CONNECT [::1]:8443 HTTP/1.0\n\n");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->host, "[::1]");
    EXPECT_EQ(bare->port, "8443");
    EXPECT_EQ(bare->proxyAuthorization, "");
    for (const char* bad : {"CONNECT host HTTP/1.1\r\n\r\n", "CONNECT :443 HTTP/1.1\r\n\r\n",
                            "CONNECT host:443\r\n\r\n", "GET host:443 HTTP/1.1\r\n\r\n",
                            "CONNECT host:443 SPDY/3\r\n\r\n"})
        EXPECT_EQ(ParseConnectRequest(bad), std::nullopt) << bad;
}

TEST(OpenMeteoQuery, EchoesNumbersAsTheApiDoes) {
    EXPECT_EQ(ApiNumberText(91), "91.0");
    EXPECT_EQ(ApiNumberText(-90.5), "-90.5");
    EXPECT_EQ(ApiNumberText(52.2978), "52.2978");
    EXPECT_EQ(ApiNumberText(1e30), "1e+30");
}

TEST(OpenMeteoQuery, ReadsThePlugInsRequest) {
    std::multimap<std::string, std::string> params = {
        {"latitude", "52.2978"},
        {"longitude", "104.2964"},
        {"current", "temperature_2m,relative_humidity_2m,weather_code,surface_pressure,wind_speed_10m,wind_direction_10m"},
        {"daily", "weather_code,temperature_2m_max,temperature_2m_min"},
        {"wind_speed_unit", "ms"},
        {"timezone", "auto"},
        {"forecast_days", "2"}};
    std::string reason;
    const auto query = ParseOpenMeteoQuery(params, &reason);
    ASSERT_TRUE(query) << reason;
    EXPECT_EQ(query->latitude, 52.2978);
    EXPECT_EQ(query->longitude, 104.2964);
    EXPECT_EQ(query->current.size(), 6u);
    EXPECT_EQ(query->current.front(), CurrentField::Temperature);
    EXPECT_EQ(query->daily.back(), DailyField::TemperatureMin);
    EXPECT_EQ(query->windUnit.label, "m/s");
    EXPECT_EQ(query->zone.name, "Asia/Irkutsk");
    EXPECT_EQ(query->forecastDays, 2);
}

}  // namespace
}  // namespace ow::sample
