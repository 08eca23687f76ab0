#pragma once
// The values of an Open-Meteo answer the weather line is made of, and what
// makes each usable: a number within its bounds. Anything else (null, another
// type, a value no sensor gives) counts as missing, so every value that is
// kept rounds to a small whole number.
#include <array>
#include <cstddef>
#include <limits>
#include <string_view>

namespace ow::open_meteo {

struct Field {
    std::string_view key;
    double lowest;
    double highest;
};

// Any finite number is a weather code, known or not.
inline constexpr double kAnyLowest = std::numeric_limits<double>::lowest();
inline constexpr double kAnyHighest = std::numeric_limits<double>::max();

// Top-level members; every other key, at any depth, is passed over.
inline constexpr std::string_view kCurrentKey = "current";
inline constexpr std::string_view kDailyKey = "daily";
inline constexpr std::string_view kErrorKey = "error";
inline constexpr std::string_view kReasonKey = "reason";

// Members of "current", in the order the request lists them.
enum CurrentField : std::size_t {
    kTemperature,
    kHumidity,
    kWeatherCode,
    kPressure,
    kWindSpeed,
    kWindDirection,
    kCurrentFieldCount
};
inline constexpr std::array<Field, kCurrentFieldCount> kCurrentFields{{
    {"temperature_2m", -100, 100},       // degrees Celsius
    {"relative_humidity_2m", 0, 100},    // per cent
    {"weather_code", kAnyLowest, kAnyHighest},
    {"surface_pressure", 300, 1200},     // hectopascals
    {"wind_speed_10m", 0, 200},          // metres per second
    {"wind_direction_10m", -360, 360},   // degrees
}};

// Arrays of "daily", in the order the request lists them; the line takes
// their second element, tomorrow's.
enum DailyField : std::size_t { kDailyWeatherCode, kDailyHighest, kDailyLowest, kDailyFieldCount };
inline constexpr std::array<Field, kDailyFieldCount> kDailyFields{{
    {"weather_code", kAnyLowest, kAnyHighest},
    {"temperature_2m_max", -100, 100},
    {"temperature_2m_min", -100, 100},
}};
inline constexpr std::size_t kTomorrowIndex = 1;

// How much of an error's reason is kept and shown.
inline constexpr std::size_t kReasonShown = 200;

}  // namespace ow::open_meteo
