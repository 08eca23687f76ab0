// What goes out on the wire: URL, access type, proxy, options and the header.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "fetch_fake_port.h"
#include "weather/core/fetch_request.h"
#include "weather/core/fetch_texts.h"
#include "weather/core/internet_port.h"
#include "weather/core/source_urls.h"
#include "weather/core/weather_sources.h"

namespace ow::fetch_test {
namespace {

using Option = FakeInternetPort::OptionCall;

TEST(SourceUrls, BuildsEachSourceWithTheCodeUnchanged) {
    EXPECT_EQ(BuildSourceUrl(0, "27612"), "http://informer.gismeteo.ru/text/27612-2.JS");
    EXPECT_EQ(BuildSourceUrl(1, "UUWW"), "http://ru.wunderground.com/auto/rss_full/global/stations/UUWW.xml");
    // No escaping and no trimming: a space, a percent sign and CP1251 bytes go in as they are.
    EXPECT_EQ(BuildSourceUrl(0, " a%s\xCC "), "http://informer.gismeteo.ru/text/ a%s\xCC -2.JS");
    EXPECT_EQ(BuildSourceUrl(1, ""), "http://ru.wunderground.com/auto/rss_full/global/stations/.xml");
}

TEST(SourceUrls, IndexOutsideTheTableHasNoUrl) {
    for (int index : {-1, 2, 1000}) {
        EXPECT_EQ(BuildSourceUrl(index, "27612"), std::nullopt) << index;
        EXPECT_EQ(SourceUrlFor(index), std::nullopt) << index;
    }
}

struct ProxyCase {
    const char* name;
    bool useProxy;
    bool proxyAuth;
    std::uint32_t accessType;
    std::optional<std::string> proxy;
    bool setsOptions;
    std::string header;
    friend void PrintTo(const ProxyCase& c, std::ostream* os) { *os << c.name; }
};

class ProxyCombinations : public testing::TestWithParam<ProxyCase> {};

TEST_P(ProxyCombinations, SendTheRequestAsConfigured) {
    const ProxyCase& c = GetParam();
    FetchRig rig;
    rig.values.SourceIndex = 1;
    rig.values.TownCode = "UUWW";
    rig.values.UseProxy = c.useProxy;
    rig.values.ProxyAuth = c.proxyAuth;
    rig.values.ProxyHost = "127.0.0.1";
    rig.values.ProxyPort = "3128";
    rig.values.ProxyLogin = "user";
    rig.values.ProxyPassword = "pass";
    rig.Respond({"<rss/>"});

    EXPECT_TRUE(rig.Fetch().extracted);

    auto& port = rig.port;
    ASSERT_EQ(port.opens.size(), 1u);
    EXPECT_EQ(port.opens[0].agent, "Mozilla");
    EXPECT_EQ(port.opens[0].accessType, c.accessType);
    EXPECT_EQ(port.opens[0].proxy, c.proxy);
    const HInternet internet = port.internetHandles.at(0);
    if (c.setsOptions) {
        EXPECT_EQ(port.options, (std::vector<Option>{{internet, kOptionProxy, "127.0.0.1:3128"},
                                                     {internet, kOptionProxyUsername, "user"},
                                                     {internet, kOptionProxyPassword, "pass"}}));
    } else {
        EXPECT_TRUE(port.options.empty());
    }
    ASSERT_EQ(port.urls.size(), 1u);
    EXPECT_EQ(port.urls[0].internet, internet);
    EXPECT_EQ(port.urls[0].url, "http://ru.wunderground.com/auto/rss_full/global/stations/UUWW.xml");
    EXPECT_EQ(port.urls[0].headers, c.header);
    EXPECT_EQ(port.urls[0].flags, 0x80000000u);
    EXPECT_TRUE(port.faults.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Fetch, ProxyCombinations,
    testing::Values(ProxyCase{"Direct", false, false, 1, std::nullopt, false, "Accept: */*"},
                    ProxyCase{"AuthWithoutProxy", false, true, 1, std::nullopt, false, "Accept: */*"},
                    ProxyCase{"Proxy", true, false, 3, "127.0.0.1:3128", false, "Accept: */*"},
                    ProxyCase{"ProxyWithAuth", true, true, 3, "127.0.0.1:3128", true,
                              "Proxy-Authorization: Basic dXNlcjpwYXNz"}),
    [](const testing::TestParamInfo<ProxyCase>& info) { return info.param.name; });

TEST(FetchRequest, ProxyTextIsJoinedUntrimmed) {
    WorkingValues values;
    values.ProxyHost = " proxy ";
    values.ProxyPort = "8080 ";
    EXPECT_EQ(ProxyText(values), " proxy :8080 ");
    values.ProxyHost.clear();
    values.ProxyPort = "3128";
    EXPECT_EQ(ProxyText(values), ":3128");
}

TEST(FetchRequest, EmptyCredentialStillSendsTheColon) {
    EXPECT_EQ(ProxyAuthorizationHeader("", ""), "Proxy-Authorization: Basic Og==");
    WorkingValues values;
    values.UseProxy = values.ProxyAuth = true;
    const auto request = BuildFetchRequest(values, "1", TheWeatherSources());
    ASSERT_TRUE(request);
    EXPECT_EQ(request->headers, "Proxy-Authorization: Basic Og==");
    EXPECT_EQ(request->proxy, ":");
}

TEST(FetchRequest, CredentialBytesAreEncodedAsStored) {
    static constexpr auto kLogin = Cp1251(u8"Ива");
    EXPECT_EQ(ProxyAuthorizationHeader(kLogin.view(), "x"), "Proxy-Authorization: Basic yOLgOng=");
}

class UnknownSource : public testing::TestWithParam<int> {};

TEST_P(UnknownSource, FetchesNothing) {
    FetchRig rig;
    rig.values.SourceIndex = GetParam();
    rig.values.UseProxy = rig.values.ProxyAuth = true;
    rig.Respond({"document"});

    const FetchResult result = rig.Fetch();

    EXPECT_EQ(result.text, kConnectionErrorText.view());
    EXPECT_FALSE(result.extracted);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(rig.display.CachedWeatherLine, kConnectionErrorText.view());
    EXPECT_TRUE(rig.port.opens.empty());
    EXPECT_TRUE(rig.port.urls.empty());
    EXPECT_TRUE(rig.extractions.empty());
    EXPECT_EQ(rig.tickerStarts, 0);
}

INSTANTIATE_TEST_SUITE_P(Fetch, UnknownSource,
                         testing::Values(-1, static_cast<int>(TheWeatherSources().size()), 1000));

}  // namespace
}  // namespace ow::fetch_test
