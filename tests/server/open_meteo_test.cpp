// The Open-Meteo forecast as a client reads it: every field, plausible values
// for the place and season, fixed by place and date, the API's errors, the
// example, api-error and not-json modes, and the plain port's forms.
#include <rapidjson/document.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "open_meteo_forecast.h"
#include "open_meteo_query.h"
#include "server_fixture.h"

namespace ow::sample::testing {
namespace {

const std::set<int> kWmoCodes = {0,  1,  2,  3,  45, 48, 51, 53, 55, 56, 57, 61, 63, 65,
                                 66, 67, 71, 73, 75, 77, 80, 81, 82, 85, 86, 95, 96, 99};
const std::set<int> kRainCodes = {51, 53, 55, 56, 57, 61, 63, 65, 66, 67, 80, 81, 82, 95, 96, 99};
const std::set<int> kSnowCodes = {71, 73, 75, 77, 85, 86};

struct Place {
    const char* name;
    const char* latitude;
    const char* longitude;
    const char* zone;
    int utcOffsetSeconds;
};

constexpr Place kPlaces[] = {
    {"Irkutsk", "52.2978", "104.2964", "Asia/Irkutsk", 8 * 3600},
    {"Moscow", "55.7558", "37.6173", "Europe/Moscow", 3 * 3600},
    {"Saint Petersburg", "59.9386", "30.3141", "Europe/Moscow", 3 * 3600},
    {"Novosibirsk", "55.0084", "82.9357", "Asia/Novosibirsk", 7 * 3600},
    {"Singapore", "1.2897", "103.8501", "Asia/Bangkok", 7 * 3600},
    {"Sydney", "-33.8688", "151.2093", "Australia/Brisbane", 10 * 3600},
};

constexpr CalendarDate kWinterDay{2026, 12, 8};
constexpr CalendarDate kSummerDay{2027, 7, 15};

std::vector<std::string> KeysOf(const rapidjson::Value& object) {
    std::vector<std::string> keys;
    for (const auto& member : object.GetObject()) keys.emplace_back(member.name.GetString());
    return keys;
}

std::string IsoDate(CalendarDate date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

class OpenMeteoTest : public ServerTest {
protected:
    // The forecast the plug-in asks for.
    rapidjson::Document Forecast(const std::string& target) const { return JsonAnswer(target); }
    std::string Body(const std::string& target) const {
        auto result = Get(target);
        return result ? result->body : std::string();
    }
    void StartOn(CalendarDate date) {
        ServerConfig config;
        config.date = date;
        Restart(config);
    }
};

// Every member the plug-in's request names, in the API's order, with sound values.
void ExpectWholeForecast(const rapidjson::Document& doc, const Place& place, CalendarDate date) {
    SCOPED_TRACE(std::string(place.name) + " " + IsoDate(date));
    ASSERT_TRUE(doc.IsObject());
    EXPECT_EQ(KeysOf(doc), (std::vector<std::string>{"latitude", "longitude", "generationtime_ms", "utc_offset_seconds",
                                                      "timezone", "timezone_abbreviation", "elevation", "current_units",
                                                      "current", "daily_units", "daily"}));
    EXPECT_NEAR(doc["latitude"].GetDouble(), std::atof(place.latitude), 1.0 / 32);
    EXPECT_NEAR(doc["longitude"].GetDouble(), std::atof(place.longitude), 1.0 / 32);
    EXPECT_GT(doc["generationtime_ms"].GetDouble(), 0);
    EXPECT_EQ(doc["utc_offset_seconds"].GetInt(), place.utcOffsetSeconds);
    EXPECT_STREQ(doc["timezone"].GetString(), place.zone);
    EXPECT_TRUE(doc["timezone_abbreviation"].IsString());
    EXPECT_GE(doc["elevation"].GetDouble(), 0);

    const auto& units = doc["current_units"];
    EXPECT_EQ(KeysOf(units), (std::vector<std::string>{"time", "interval", "temperature_2m", "relative_humidity_2m",
                                                        "weather_code", "surface_pressure", "wind_speed_10m",
                                                        "wind_direction_10m"}));
    EXPECT_STREQ(units["temperature_2m"].GetString(), "°C");
    EXPECT_STREQ(units["relative_humidity_2m"].GetString(), "%");
    EXPECT_STREQ(units["weather_code"].GetString(), "wmo code");
    EXPECT_STREQ(units["surface_pressure"].GetString(), "hPa");
    EXPECT_STREQ(units["wind_speed_10m"].GetString(), "m/s");
    EXPECT_STREQ(units["wind_direction_10m"].GetString(), "°");

    const auto& now = doc["current"];
    EXPECT_EQ(KeysOf(now), KeysOf(units));
    EXPECT_EQ(now["time"].GetString(), IsoDate(date) + "T14:00");
    EXPECT_EQ(now["interval"].GetInt(), 900);
    const double temperature = now["temperature_2m"].GetDouble();
    const int code = now["weather_code"].GetInt();
    EXPECT_TRUE(kWmoCodes.count(code)) << code;
    if (temperature < -0.5) {
        EXPECT_FALSE(kRainCodes.count(code)) << code << " at " << temperature;
    }
    if (temperature > 0.5) {
        EXPECT_FALSE(kSnowCodes.count(code)) << code << " at " << temperature;
    }
    EXPECT_GE(now["relative_humidity_2m"].GetInt(), 0);
    EXPECT_LE(now["relative_humidity_2m"].GetInt(), 100);
    EXPECT_GT(now["surface_pressure"].GetDouble(), 850);
    EXPECT_LT(now["surface_pressure"].GetDouble(), 1050);
    EXPECT_GT(now["wind_speed_10m"].GetDouble(), 0);
    EXPECT_GE(now["wind_direction_10m"].GetInt(), 0);
    EXPECT_LT(now["wind_direction_10m"].GetInt(), 360);

    EXPECT_EQ(KeysOf(doc["daily_units"]),
              (std::vector<std::string>{"time", "weather_code", "temperature_2m_max", "temperature_2m_min"}));
    const auto& daily = doc["daily"];
    EXPECT_EQ(KeysOf(daily), (std::vector<std::string>{"time", "weather_code", "temperature_2m_max", "temperature_2m_min"}));
    ASSERT_EQ(daily["time"].Size(), 2u);
    EXPECT_EQ(daily["time"][0].GetString(), IsoDate(date));
    EXPECT_EQ(daily["time"][1].GetString(), IsoDate(DateFromSerial(DaySerial(date) + 1)));
    for (const char* key : {"weather_code", "temperature_2m_max", "temperature_2m_min"}) ASSERT_EQ(daily[key].Size(), 2u);
    for (unsigned day = 0; day < 2; ++day) {
        const double high = daily["temperature_2m_max"][day].GetDouble();
        const double low = daily["temperature_2m_min"][day].GetDouble();
        const int dayCode = daily["weather_code"][day].GetInt();
        EXPECT_LT(low, high);
        EXPECT_TRUE(kWmoCodes.count(dayCode)) << dayCode;
        if (high < 0) {
            EXPECT_FALSE(kRainCodes.count(dayCode)) << dayCode << " up to " << high;
        }
        if (low > 0) {
            EXPECT_FALSE(kSnowCodes.count(dayCode)) << dayCode << " from " << low;
        }
    }
    EXPECT_GE(temperature, daily["temperature_2m_min"][0].GetDouble());
    EXPECT_LE(temperature, daily["temperature_2m_max"][0].GetDouble());
}

TEST_F(OpenMeteoTest, ForecastHoldsEveryFieldForEachPlaceAndDate) {
    for (CalendarDate date : {kWinterDay, kSummerDay}) {
        StartOn(date);
        for (const Place& place : kPlaces)
            ExpectWholeForecast(Forecast(ForecastTarget(place.latitude, place.longitude)), place, date);
    }
}

TEST_F(TlsServerTest, ForecastIsTheSameOverTlsAsInPlainHttp) {
    const auto received = Exchange(Route::Direct, ClosingRequest(kIrkutskForecast));
    EXPECT_EQ(std::string(RawBody(received.bytes)), Get(kIrkutskForecast)->body);
    ExpectWholeForecast(ParseJson(std::string(RawBody(received.bytes))), kPlaces[0], kDefaultForecastDate);
}

double TodaysHigh(const rapidjson::Document& doc) { return doc["daily"]["temperature_2m_max"][0].GetDouble(); }

TEST_F(OpenMeteoTest, SeasonsFollowTheLatitude) {
    std::vector<double> winter, summer;
    for (CalendarDate date : {kWinterDay, kSummerDay}) {
        StartOn(date);
        for (const Place& place : kPlaces)
            (date == kWinterDay ? winter : summer).push_back(TodaysHigh(Forecast(ForecastTarget(place.latitude, place.longitude))));
    }
    for (std::size_t i = 0; i < 4; ++i) EXPECT_LT(winter[i] + 10, summer[i]) << kPlaces[i].name;  // Russia
    EXPECT_GT(winter[4], 20);  // Singapore, all year
    EXPECT_GT(summer[4], 20);
    EXPECT_GT(winter[5], summer[5] + 5);  // Sydney: summer in December
    EXPECT_LT(winter[0], 0);              // Irkutsk in December
}

TEST_F(OpenMeteoTest, ChangesWithTheDateAndStaysFixedForOne) {
    const std::string first = Body(kIrkutskForecast);
    EXPECT_EQ(Body(kIrkutskForecast), first);
    EXPECT_NE(Body(ForecastTarget("55.7558", "37.6173")), first);
    // The grid point, not the exact coordinates, decides.
    EXPECT_EQ(Body(ForecastTarget("52.30", "104.30")), first);
    EXPECT_TRUE(Body(ForecastTarget("-0.01", "-0.02")).starts_with("{\"latitude\":0.0,\"longitude\":0.0,"));

    const rapidjson::Document today = ParseJson(first);
    StartOn(DateFromSerial(DaySerial(kDefaultForecastDate) + 1));
    const std::string next = Body(kIrkutskForecast);
    EXPECT_NE(next, first);
    const rapidjson::Document tomorrow = ParseJson(next);
    // Tomorrow's outlook is what tomorrow's forecast says of its first day.
    for (const char* key : {"weather_code", "temperature_2m_max", "temperature_2m_min"})
        EXPECT_EQ(today["daily"][key][1], tomorrow["daily"][key][0]) << key;
}

TEST(OpenMeteoForecast, CodesAgreeWithTemperaturesEverywhereAndCoverTheWmoSet) {
    std::set<int> seen;
    for (int latitude = -80; latitude <= 80; latitude += 8) {
        for (int longitude = -175; longitude <= 175; longitude += 25) {
            for (int month = 1; month <= 12; month += 2) {
                const auto forecast =
                    MakeOpenMeteoForecast(NearestGridPoint(latitude, longitude), {2027, month, 10}, kMaxForecastDays);
                const auto& now = forecast.now;
                seen.insert(now.weatherCode);
                EXPECT_FALSE(now.temperatureTenths < -5 && kRainCodes.count(now.weatherCode)) << now.weatherCode;
                EXPECT_FALSE(now.temperatureTenths > 5 && kSnowCodes.count(now.weatherCode)) << now.weatherCode;
                EXPECT_GE(now.temperatureTenths, forecast.days[0].minTenths);
                EXPECT_LE(now.temperatureTenths, forecast.days[0].maxTenths);
                for (const OpenMeteoDay& day : forecast.days) {
                    seen.insert(day.weatherCode);
                    EXPECT_FALSE(day.maxTenths < 0 && kRainCodes.count(day.weatherCode)) << day.weatherCode;
                    EXPECT_FALSE(day.minTenths > 0 && kSnowCodes.count(day.weatherCode)) << day.weatherCode;
                }
            }
        }
    }
    EXPECT_EQ(seen, kWmoCodes);
}

struct BadQuery {
    const char* query;
    const char* reason;
};

TEST_F(OpenMeteoTest, AnswersBadParametersWithTheApisErrorObject) {
    const std::string tail(kOpenMeteoQueryTail);
    const BadQuery cases[] = {
        {"latitude=91&longitude=104.3", "Latitude must be in range of -90 to 90°. Given: 91.0."},
        {"latitude=-90.5&longitude=104.3", "Latitude must be in range of -90 to 90°. Given: -90.5."},
        {"latitude=52.3&longitude=180.25", "Longitude must be in range of -180 to 180°. Given: 180.25."},
        {"longitude=104.3", "Value of type 'Float' required for key 'latitude'."},
        {"latitude=52.3", "Value of type 'Float' required for key 'longitude'."},
        {"latitude=north&longitude=104.3", "Cannot initialize Float from invalid String value north for key latitude"},
        {"latitude=52.3&longitude=", "Cannot initialize Float from invalid String value  for key longitude"},
        {"latitude=52.3&longitude=104.3&current=temperature_2m,dew_point",
         "Cannot initialize ForecastVariable from invalid String value dew_point for key current"},
        {"latitude=52.3&longitude=104.3&daily=sunrise",
         "Cannot initialize ForecastVariableDaily from invalid String value sunrise for key daily"},
        {"latitude=52.3&longitude=104.3&wind_speed_unit=mps",
         "Cannot initialize WindspeedUnit from invalid String value mps for key wind_speed_unit"},
        {"latitude=52.3&longitude=104.3&timezone=Mars%2FOlympus", "Invalid timezone"},
        {"latitude=52.3&longitude=104.3&forecast_days=17", "Forecast days is invalid. Allowed range 0 to 16."},
    };
    for (const BadQuery& bad : cases) {
        auto result = Get(std::string(kOpenMeteoPath) + "?" + bad.query);
        ASSERT_TRUE(result) << bad.query;
        EXPECT_EQ(result->status, 400) << bad.query;
        EXPECT_EQ(result->get_header_value("Content-Type"), "application/json; charset=utf-8");
        const rapidjson::Document doc = ParseJson(result->body);
        EXPECT_EQ(KeysOf(doc), (std::vector<std::string>{"error", "reason"}));
        EXPECT_TRUE(doc["error"].GetBool());
        EXPECT_STREQ(doc["reason"].GetString(), bad.reason) << bad.query;
    }
}

TEST_F(OpenMeteoTest, TakesTheApisDefaultsAndTheFieldsInTheOrderAsked) {
    const rapidjson::Document bare = Forecast(std::string(kOpenMeteoPath) + "?latitude=52.3&longitude=104.3");
    EXPECT_EQ(KeysOf(bare), (std::vector<std::string>{"latitude", "longitude", "generationtime_ms", "utc_offset_seconds",
                                                       "timezone", "timezone_abbreviation", "elevation"}));
    EXPECT_STREQ(bare["timezone"].GetString(), "GMT");
    EXPECT_EQ(bare["utc_offset_seconds"].GetInt(), 0);

    const std::string base = std::string(kOpenMeteoPath) + "?latitude=52.3&longitude=104.3&current=wind_direction_10m,";
    const std::string daily = "&daily=temperature_2m_min";
    const rapidjson::Document kmh = Forecast(base + "wind_speed_10m" + daily);
    EXPECT_EQ(KeysOf(kmh["current"]), (std::vector<std::string>{"time", "interval", "wind_direction_10m", "wind_speed_10m"}));
    EXPECT_STREQ(kmh["current_units"]["wind_speed_10m"].GetString(), "km/h");
    EXPECT_EQ(kmh["daily"]["time"].Size(), 7u);
    EXPECT_EQ(KeysOf(kmh["daily"]), (std::vector<std::string>{"time", "temperature_2m_min"}));
    const rapidjson::Document ms = Forecast(base + "wind_speed_10m" + daily + "&wind_speed_unit=ms&forecast_days=1&timezone=Asia%2FTokyo");
    EXPECT_NEAR(kmh["current"]["wind_speed_10m"].GetDouble(), ms["current"]["wind_speed_10m"].GetDouble() * 3.6, 0.051);
    EXPECT_EQ(ms["daily"]["time"].Size(), 1u);
    EXPECT_STREQ(ms["timezone"].GetString(), "Asia/Tokyo");
    EXPECT_EQ(ms["utc_offset_seconds"].GetInt(), 9 * 3600);
}

TEST_F(OpenMeteoTest, ExampleModeServesTheFixedForecast) {
    Control("mode?name=example");
    const rapidjson::Document doc = Forecast(kIrkutskForecast);
    ExpectWholeForecast(doc, kPlaces[0], kDefaultForecastDate);
    const auto& now = doc["current"];
    EXPECT_EQ(now["temperature_2m"].GetDouble(), -2.6);
    EXPECT_EQ(now["weather_code"].GetInt(), 73);
    EXPECT_EQ(now["wind_speed_10m"].GetDouble(), 3.4);
    EXPECT_EQ(now["wind_direction_10m"].GetInt(), 225);
    EXPECT_EQ(now["surface_pressure"].GetDouble(), 995.2);
    EXPECT_EQ(now["relative_humidity_2m"].GetInt(), 87);
    const auto& daily = doc["daily"];
    EXPECT_EQ(daily["temperature_2m_min"][1].GetDouble(), -7.5);
    EXPECT_EQ(daily["temperature_2m_max"][1].GetDouble(), -3.1);
    EXPECT_EQ(daily["weather_code"][1].GetInt(), 3);
    // The rest follows the place and date as ever.
    EXPECT_STREQ(doc["timezone"].GetString(), "Asia/Irkutsk");
    EXPECT_EQ(daily["time"][1].GetString(), std::string("2026-12-09"));
}

TEST_F(OpenMeteoTest, ApiErrorAndNotJsonModes) {
    Control("mode?name=api-error");
    auto error = Get(kIrkutskForecast);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->status, 400);
    EXPECT_EQ(error->body, "{\"error\":true,\"reason\":\"No data is available for this location\"}");

    Control("mode?name=not-json");
    auto page = Get(kIrkutskForecast);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=iso-8859-1");
    EXPECT_TRUE(page->body.starts_with("<!DOCTYPE html>"));
    rapidjson::Document doc;
    EXPECT_TRUE(doc.Parse(page->body.c_str()).HasParseError());
    EXPECT_EQ(page->body.find("authoriz"), std::string::npos);
}

TEST_F(OpenMeteoTest, TheOtherSourcesServeTheirDocumentsInTheOpenMeteoModes) {
    for (const char* mode : {"example", "api-error", "not-json", "slow-handshake"}) {
        Control(std::string("mode?name=") + mode + "&interval_ms=600000");
        EXPECT_EQ(Body(kInformerPath), InformerFor30710()) << mode;
        EXPECT_EQ(Body(kProxyFeedTarget), FeedFor30710()) << mode;
    }
}

TEST_F(OpenMeteoTest, ThePlainProxyServesTheForecastAtItsHost) {
    const std::string proxied = "http://" + std::string(kOpenMeteoHost) + kIrkutskForecast;
    EXPECT_EQ(Body(proxied), Body(kIrkutskForecast));
    auto elsewhere = Get("http://" + std::string(kOpenMeteoHost) + kInformerPath);
    ASSERT_TRUE(elsewhere);
    EXPECT_EQ(elsewhere->status, 404);
    Control("auth?credentials=user:pass");
    auto challenged = Get(proxied);
    ASSERT_TRUE(challenged);
    EXPECT_EQ(challenged->status, 407);
}

}  // namespace
}  // namespace ow::sample::testing
