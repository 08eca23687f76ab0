// The place search: the query the service gets, how its answer is read and
// what the user is told, over the same scripted WinInet as the forecast.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cp1251.h"
#include "fetch_fake_port.h"
#include "weather/core/fetch_texts.h"
#include "weather/core/open_meteo_request.h"
#include "weather/core/place_answer.h"
#include "weather/core/place_search.h"
#include "weather/core/place_search_request.h"

namespace ow::fetch_test {
namespace {

constexpr char kSearchObject[] = "/v1/search?name=";
constexpr char kTail[] = "&count=10&language=ru&format=json";

TEST(PlaceQuery, EncodesTheNameAsUtf8) {
    struct Case {
        std::string typed;  // code page 1251, as the window gives it
        std::string encoded;
    };
    for (const Case& c : {Case{Cp1251(u8"Москва").str(), "%D0%9C%D0%BE%D1%81%D0%BA%D0%B2%D0%B0"},
                          Case{Cp1251(u8"Ёлкино").str(), "%D0%81%D0%BB%D0%BA%D0%B8%D0%BD%D0%BE"},
                          Case{"  Rostov-na-Donu_1.~ ", "Rostov-na-Donu_1.~"},
                          Case{"New York", "New%20York"},
                          Case{"a&count=1#x?=/+%", "a%26count%3D1%23x%3F%3D%2F%2B%25"},
                          Case{"\x98\xB9", "%EF%BF%BD%E2%84%96"}}) {
        const auto name = PlaceQueryName(c.typed);
        ASSERT_TRUE(name) << c.typed;
        EXPECT_EQ(BuildPlaceSearchUrl(*name),
                  std::string("https://geocoding-api.open-meteo.com") + kSearchObject + c.encoded + kTail);
    }
}

TEST(PlaceQuery, FewerThanTwoCharactersAskNothing) {
    for (const std::string& typed : std::vector<std::string>{"", "a", " \t a \r\n", "   ", std::string(1, '\xC0')}) {
        EXPECT_EQ(PlaceQueryName(typed), std::nullopt) << typed;
    }
    EXPECT_EQ(PlaceQueryName(" ab "), "ab");
    EXPECT_EQ(PlaceQueryName(std::string(5, ' ') + std::string(300, 'x'))->size(), kPlaceNameLongest);
}

// One result of the service, as it writes them.
std::string Result(const std::string& name, double latitude, double longitude, const std::string& more = "") {
    return "{\"id\":1,\"name\":\"" + name + "\",\"latitude\":" + std::to_string(latitude) +
           ",\"longitude\":" + std::to_string(longitude) + more + "}";
}

TEST(PlaceAnswer, TakesUsablePlacesInTheServicesOrder) {
    const std::string document =
        "{\"results\":[" +
        Result("\\u041C\\u043E\\u0441\\u043A\\u0432\\u0430", 55.75222, 37.61556,
               ",\"admin1\":\"\\u041C\\u043E\\u0441\\u043A\\u0432\\u0430\",\"country\":\"\\u0420\\u043E\\u0441\\u0441"
               "\\u0438\\u044F\",\"postcodes\":[\"101000\"],\"extra\":{\"name\":\"no\",\"latitude\":1}") +
        "," + Result("Moscow", 46.73239, -117.00017, ",\"admin1\":\"Idaho\",\"country\":\"USA\"") + "," +
        Result("Far north", 91, 0) + "," + Result("", 1, 1) + "," + "{\"name\":\"No coordinates\"}" + "," +
        "{\"name\":\"Text latitude\",\"latitude\":\"1\",\"longitude\":2}" + "," + "[1,2]" + "," +
        Result("Last", -1, -2) + "],\"generationtime_ms\":0.5}";
    const auto answer = ReadPlaceAnswer(document);
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->places.size(), 3u);
    EXPECT_EQ(answer->places[0].name, Cp1251(u8"Москва").str());
    EXPECT_EQ(answer->places[0].region, Cp1251(u8"Москва").str());
    EXPECT_EQ(answer->places[0].country, Cp1251(u8"Россия").str());
    EXPECT_EQ(PlaceCode(answer->places[0].latitude, answer->places[0].longitude), "55.7522,37.6156");
    EXPECT_EQ(answer->places[1].name, "Moscow");
    EXPECT_EQ(answer->places[1].region, "Idaho");
    EXPECT_EQ(answer->places[2].name, "Last");
    EXPECT_FALSE(answer->error);
}

TEST(PlaceAnswer, KeepsTheFirstTenAndTheLastResultsArray) {
    std::string many = "{\"results\":[" + Result("Old", 1, 1) + "],\"results\":[";
    for (int i = 0; i < 25; ++i) many += (i ? "," : "") + Result("P" + std::to_string(i), i, i);
    many += "]}";
    const auto answer = ReadPlaceAnswer(many);
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->places.size(), kPlacesShown);
    EXPECT_EQ(answer->places.front().name, "P0");
    EXPECT_EQ(answer->places.back().name, "P9");
}

TEST(PlaceAnswer, ReadsTheErrorObjectAndRefusesWhatIsNoAnswer) {
    const auto error = ReadPlaceAnswer("{\"error\":true,\"reason\":\"Parameter count must be between 1 and 100.\"}");
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->error);
    EXPECT_EQ(error->reason, "Parameter count must be between 1 and 100.");
    const auto none = ReadPlaceAnswer("{\"generationtime_ms\":0.3}");
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->places.empty());
    for (const char* document : {"", "[]", "\"results\"", "{\"results\":[", "{} {}", "<html>Bad gateway</html>"}) {
        EXPECT_EQ(ReadPlaceAnswer(document), std::nullopt) << document;
    }
}

// The search over the scripted port.
struct SearchRig {
    FakeInternetPort port;
    FetchRegistry registry;
    WorkingValues values;

    void Answer(std::vector<std::string> packets) {
        ScriptedResponse response;
        response.packets = std::move(packets);
        port.responses.push_back(response);
    }
    PlaceSearchResult Search(std::string_view name) { return SearchPlaces(name, values, port, registry); }
};

TEST(PlaceSearchDownload, AsksTheGeocodingHostLikeTheForecast) {
    SearchRig rig;
    rig.values.UseProxy = true;
    rig.values.ProxyAuth = true;
    rig.values.ProxyHost = "127.0.0.1";
    rig.values.ProxyPort = "3128";
    rig.values.ProxyLogin = "user";
    rig.values.ProxyPassword = "pass";
    rig.Answer({"{\"results\":[" + Result("Irkutsk", 52.29778, 104.29639) + "]}"});

    const PlaceSearchResult result = rig.Search("Irkutsk");

    ASSERT_EQ(result.places.size(), 1u);
    EXPECT_EQ(result.places[0].name, "Irkutsk");
    EXPECT_TRUE(result.text.empty());
    ASSERT_EQ(rig.port.opens.size(), 1u);
    EXPECT_EQ(rig.port.opens[0].agent, kUserAgent);
    EXPECT_EQ(rig.port.opens[0].proxy, "127.0.0.1:3128");
    ASSERT_EQ(rig.port.connects.size(), 1u);
    EXPECT_EQ(rig.port.connects[0].host, kGeocodingHost);
    EXPECT_EQ(rig.port.connects[0].port, kHttpsPort);
    ASSERT_EQ(rig.port.requests.size(), 1u);
    EXPECT_EQ(rig.port.requests[0].object, std::string(kSearchObject) + "Irkutsk" + kTail);
    EXPECT_EQ(rig.port.requests[0].flags, kOpenMeteoRequestFlags | kFlagSecure);
    ASSERT_EQ(rig.port.sends.size(), 1u);
    EXPECT_EQ(rig.port.sends[0].headers, kAcceptHeader) << "the credential goes to the proxy only";
    EXPECT_TRUE(rig.port.AllClosed());
    EXPECT_TRUE(rig.port.faults.empty());
}

TEST(PlaceSearchDownload, TellsWhyThereAreNoPlaces) {
    struct Case {
        const char* what;
        std::vector<std::string> packets;
        std::string text;
    };
    const std::string big = "{\"results\":[],\"pad\":\"" + std::string(kMaxPlaceAnswerBytes, 'x') + "\"}";
    const std::vector<Case> cases = {
        {"no result", {"{\"generationtime_ms\":0.2}"}, kNothingFoundText.str()},
        {"only unusable results", {"{\"results\":[" + Result("Pole", 95, 0) + "]}"}, kNothingFoundText.str()},
        {"the error object", {"{\"error\":true,\"reason\":\"Name \\u0431\\u0435\\u0434\\u0430 =\\n\"}"},
         "Open-Meteo: Name " + Cp1251(u8"беда").str() + " -"},
        {"blank", {"  \r\n "}, kConnectionErrorText.str()},
        {"no JSON", {"<html><body>Service unavailable</body></html>"}, kConnectionErrorText.str()},
        {"a refusal page", {"HTTP 407 Proxy authorization required"}, std::string(kProxyAuthFailedText)},
        {"past 1 MiB", {big.substr(0, big.size() / 2), big.substr(big.size() / 2)}, kConnectionErrorText.str()},
    };
    for (const Case& c : cases) {
        SearchRig rig;
        rig.Answer(c.packets);
        const PlaceSearchResult result = rig.Search("Name");
        EXPECT_EQ(result.text, c.text) << c.what;
        EXPECT_TRUE(result.places.empty()) << c.what;
        EXPECT_FALSE(result.cancelled) << c.what;
        EXPECT_TRUE(rig.port.AllClosed()) << c.what;
    }
}

TEST(PlaceSearchDownload, RefusalsAndFailuresGiveTheRefreshTexts) {
    SearchRig refused;
    refused.values.UseProxy = refused.values.ProxyAuth = true;
    ScriptedResponse always407;
    always407.statuses = {407};
    always407.secure = {false};  // the proxy's own challenge: no tunnel stands
    refused.port.responses.assign(3, always407);  // one for each try
    EXPECT_EQ(refused.Search("Name").text, kProxyAuthFailedText);

    SearchRig farEnd;  // the challenge came through the tunnel: no proxy's
    farEnd.values.UseProxy = farEnd.values.ProxyAuth = true;
    always407.secure = {true};
    farEnd.port.responses.push_back(always407);
    EXPECT_EQ(farEnd.Search("Name").text, kConnectionErrorText.view());

    SearchRig untrusted;  // a certificate that does not verify fails the send
    ScriptedResponse badCertificate;
    badCertificate.failSendAt = 0;
    untrusted.port.responses.push_back(badCertificate);
    EXPECT_EQ(untrusted.Search("Name").text, kConnectionErrorText.view());

    SearchRig offline;
    offline.port.failOpen = true;
    EXPECT_EQ(offline.Search("Name").text, kConnectionErrorText.view());
}

TEST(PlaceSearchDownload, ATooShortNameSendsNothing) {
    SearchRig rig;
    EXPECT_EQ(rig.Search(" x ").text, kPlaceNameTooShortText.view());
    EXPECT_TRUE(rig.port.opens.empty());
}

TEST(PlaceSearchDownload, FinalisedWhileReadingStopsAndClosesEverything) {
    SearchRig rig;
    rig.Answer({"{\"results\":[", Result("A", 1, 1) + "]}"});
    rig.port.onPump = [&] { rig.registry.CloseAll(); };
    const PlaceSearchResult result = rig.Search("Name");
    EXPECT_TRUE(result.cancelled);
    EXPECT_TRUE(result.places.empty());
    EXPECT_TRUE(rig.port.AllClosed());
    EXPECT_TRUE(rig.port.faults.empty());
}

}  // namespace
}  // namespace ow::fetch_test
