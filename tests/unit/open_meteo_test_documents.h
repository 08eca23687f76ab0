#pragma once
// Open-Meteo answers for the tests, shaped the way the service sends them,
// with the members of "current" and "daily" open to change.
#include <string>
#include <utility>
#include <vector>

namespace ow::open_meteo_test {

// Members of one object, each value as JSON text, in order.
using Members = std::vector<std::pair<std::string, std::string>>;

// Moscow on a snowy day: -2.6 °C, code 73, 3.4 m/s from 225°, 995.2 hPa,
// 87 %; tomorrow -7.5..-3.1 °C, code 3.
inline Members ExampleNow() {
    return {{"time", "\"2026-12-08T12:00\""},  {"interval", "900"},
            {"temperature_2m", "-2.6"},        {"relative_humidity_2m", "87"},
            {"weather_code", "73"},            {"surface_pressure", "995.2"},
            {"wind_speed_10m", "3.4"},         {"wind_direction_10m", "225"}};
}

inline Members ExampleDaily() {
    return {{"time", "[\"2026-12-08\",\"2026-12-09\"]"},
            {"weather_code", "[71,3]"},
            {"temperature_2m_max", "[-1.2,-3.1]"},
            {"temperature_2m_min", "[-4.0,-7.5]"}};
}

// `members` with `key` set to `value`: replaced where it stands, else added.
inline Members With(Members members, const std::string& key, const std::string& value) {
    for (auto& member : members) {
        if (member.first == key) {
            member.second = value;
            return members;
        }
    }
    members.emplace_back(key, value);
    return members;
}

inline Members Without(Members members, const std::string& key) {
    std::erase_if(members, [&](const auto& member) { return member.first == key; });
    return members;
}

inline std::string Object(const Members& members) {
    std::string text = "{";
    for (const auto& [key, value] : members) {
        if (text.size() > 1) text += ",";
        text += "\"" + key + "\":" + value;
    }
    return text + "}";
}

// The whole answer around the two blocks, as the service lays it out.
inline std::string Answer(const std::string& current, const std::string& daily) {
    return R"({"latitude":55.75,"longitude":37.625,"generationtime_ms":0.0361,"utc_offset_seconds":10800,)"
           R"("timezone":"Europe/Moscow","timezone_abbreviation":"MSK","elevation":144.0,)"
           R"("current_units":{"time":"iso8601","interval":"seconds","temperature_2m":"°C",)"
           R"("relative_humidity_2m":"%","weather_code":"wmo code","surface_pressure":"hPa",)"
           R"("wind_speed_10m":"m/s","wind_direction_10m":"°"},"current":)" +
           current +
           R"(,"daily_units":{"time":"iso8601","weather_code":"wmo code","temperature_2m_max":"°C",)"
           R"("temperature_2m_min":"°C"},"daily":)" +
           daily + "}";
}

inline std::string Answer(const Members& now = ExampleNow(), const Members& daily = ExampleDaily()) {
    return Answer(Object(now), Object(daily));
}

}  // namespace ow::open_meteo_test
