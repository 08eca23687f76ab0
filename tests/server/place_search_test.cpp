// The geocoding service as a client reads it: Russian names, namesakes in
// several countries, names only in their own script, no result, the API's
// errors and modes, the plain proxy's form and the tunnel with a certificate
// that names the geocoding host.
#include <rapidjson/document.h>

#include <set>
#include <string>
#include <vector>

#include "server_fixture.h"
#include "weather/core/place_search_request.h"

namespace ow::sample::testing {
namespace {

std::string SearchTarget(const std::string& encodedName, const std::string& tail = std::string(kGeocodingQueryTail)) {
    return std::string(kGeocodingPath) + "?name=" + encodedName + tail;
}

class PlaceSearchTest : public ServerTest {
protected:
    rapidjson::Document Search(const std::string& target) const { return JsonAnswer(target); }
    // name, admin1 and country of each result.
    std::vector<std::vector<std::string>> Places(const std::string& target) const {
        const rapidjson::Document doc = Search(target);
        std::vector<std::vector<std::string>> places;
        if (!doc.IsObject() || !doc.HasMember("results")) return places;
        for (const auto& place : doc["results"].GetArray()) {
            EXPECT_TRUE(place["latitude"].IsNumber() && place["longitude"].IsNumber());
            places.push_back({place["name"].GetString(),
                              place.HasMember("admin1") ? place["admin1"].GetString() : "",
                              place["country"].GetString()});
        }
        return places;
    }
};

const std::string kMoskva = "%D0%9C%D0%BE%D1%81%D0%BA%D0%B2%D0%B0";     // Москва
const std::string kIvanovkaLower = "%D0%B8%D0%B2%D0%B0%D0%BD%D0%BE%D0%B2";  // иванов

TEST_F(PlaceSearchTest, NamesInRussianWithNamesakesInSeveralCountriesMostPopulousFirst) {
    using Row = std::vector<std::string>;
    EXPECT_EQ(Places(SearchTarget(kMoskva)),
              (std::vector<Row>{{"Москва", "Москва", "Россия"}, {"Москва", "Айдахо", "США"},
                                {"Москва", "Теннесси", "США"}}));
    const auto ivanovka = Places(SearchTarget(kIvanovkaLower));
    ASSERT_EQ(ivanovka.size(), 5u);
    std::set<std::string> countries;
    for (const Row& row : ivanovka) {
        EXPECT_EQ(row[0], "Ивановка");
        countries.insert(row[2]);
    }
    EXPECT_EQ(countries.size(), 5u);
    EXPECT_EQ(Places(SearchTarget("moscow")), Places(SearchTarget(kMoskva))) << "found by the English name too";
    EXPECT_EQ(Places(SearchTarget("Moscow", "&count=10&language=en&format=json"))[1],
              (Row{"Moscow", "Idaho", "United States"}));
    EXPECT_EQ(Places(SearchTarget("iv", "&count=2&language=ru")).size(), 2u);
}

TEST_F(PlaceSearchTest, SomePlacesHaveNamesOnlyInTheirOwnScript) {
    EXPECT_EQ(Places(SearchTarget("mtskheta"))[0][0], "მცხეთა");
    EXPECT_EQ(Places(SearchTarget("giza"))[0][0], "الجيزة");
    EXPECT_EQ(Places(SearchTarget("shuang"))[0][1], "四川省");
}

TEST_F(PlaceSearchTest, NoResultHasNoResultsMember) {
    for (const std::string& name : {std::string("qqqqq"), std::string("%D0%9C"), std::string()}) {
        const rapidjson::Document doc = Search(SearchTarget(name));
        EXPECT_FALSE(doc.HasMember("results")) << name;
        EXPECT_TRUE(doc.HasMember("generationtime_ms")) << name;
    }
}

TEST_F(PlaceSearchTest, BadParametersAndTheErrorModesGiveTheErrorObject) {
    for (const char* tail : {"&count=0", "&count=101", "&count=ten", "&format=xml"}) {
        auto result = Get(SearchTarget("moscow", tail));
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 400) << tail;
        const rapidjson::Document doc = ParseJson(result->body);
        EXPECT_TRUE(doc["error"].GetBool()) << tail;
        EXPECT_TRUE(doc["reason"].IsString()) << tail;
    }
    Control("mode?name=api-error");
    auto error = Get(SearchTarget("moscow"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->status, 400);
    EXPECT_EQ(error->body, "{\"error\":true,\"reason\":\"Geocoding search is temporarily unavailable\"}");
    Control("mode?name=not-json");
    EXPECT_TRUE(Get(SearchTarget("moscow"))->body.starts_with("<!DOCTYPE html>"));
}

TEST_F(PlaceSearchTest, ThePlainProxyServesTheSearchAtItsHost) {
    const std::string proxied = "http://" + std::string(kGeocodingHost) + SearchTarget(kMoskva);
    EXPECT_EQ(Get(proxied)->body, Get(SearchTarget(kMoskva))->body);
    Control("auth?credentials=user:pass");
    EXPECT_EQ(Get(proxied)->status, 407);
}

TEST_F(TlsServerTest, TheTunnelReachesTheSearchWithACertificateForItsHost) {
    const std::string authority = std::string(kGeocodingHost) + ":443";
    LoopbackSocket socket(port());
    socket.Send("CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority + "\r\n\r\n");
    ASSERT_EQ(socket.ReceiveAnswer(kPatience), kConnectEstablished);
    TlsClient tls(socket, TestCaFile("ca.pem"), kGeocodingHost);
    ASSERT_TRUE(tls.Handshake()) << tls.verifyResult();
    ASSERT_TRUE(tls.Send("GET " + SearchTarget(kMoskva) + " HTTP/1.1\r\nHost: " + std::string(kGeocodingHost) +
                         "\r\nConnection: close\r\n\r\n"));
    const std::string answer = tls.ReceiveAll().bytes;
    EXPECT_TRUE(answer.starts_with("HTTP/1.1 200")) << answer.substr(0, 100);
    EXPECT_EQ(std::string(RawBody(answer)), Get(SearchTarget(kMoskva))->body);
}

}  // namespace
}  // namespace ow::sample::testing
