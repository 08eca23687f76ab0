#pragma once
// The variables and units of the Open-Meteo forecast this server can serve,
// by the names the API uses in requests and documents.
#include <optional>
#include <string_view>

namespace ow::sample {

enum class CurrentField { Temperature, Humidity, WeatherCode, SurfacePressure, WindSpeed, WindDirection };
enum class DailyField { WeatherCode, TemperatureMax, TemperatureMin };

struct WindUnit {
    std::string_view parameter;  // wind_speed_unit=...
    std::string_view label;      // as the document's units name it
    double perMetrePerSecond;
};

inline constexpr WindUnit kDefaultWindUnit{"kmh", "km/h", 3.6};

std::optional<CurrentField> ParseCurrentField(std::string_view name);
std::optional<DailyField> ParseDailyField(std::string_view name);
std::optional<WindUnit> ParseWindUnit(std::string_view parameter);

std::string_view NameOf(CurrentField field);
std::string_view NameOf(DailyField field);
std::string_view UnitOf(CurrentField field, const WindUnit& windUnit);
std::string_view UnitOf(DailyField field);

}  // namespace ow::sample
