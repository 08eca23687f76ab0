#include "weather/core/weather_sources.h"

#include <array>

#include "common/cp1251.h"
#include "weather/core/forecast_line.h"
#include "weather/core/gismeteo_extract.h"
#include "weather/core/internet_port.h"
#include "weather/core/open_meteo_extract.h"
#include "weather/core/open_meteo_request.h"
#include "weather/core/source_urls.h"
#include "weather/core/wunderground_extract.h"

namespace ow {

namespace {

constexpr auto kGismeteoName = Cp1251(u8"GISMETEO.ru (Русский)");
constexpr auto kGismeteoDefaultTown = Cp1251(u8"Иркутск=30710");
constexpr auto kOpenMeteoName = Cp1251(u8"Open-Meteo.com (Русский)");
constexpr auto kOpenMeteoDefaultTown = Cp1251(u8"Иркутск=52.2978,104.2964");
// The list's line has no two numbers in range for its town.
constexpr auto kWrongCoordinates = Cp1251(u8"Неверные координаты города");

constexpr std::array<WeatherSource, 3> kSources{{
    {kGismeteoName.view(), "gis_towns.ini", kGismeteoDefaultTown.view(), {},
     [](std::string_view code) { return BuildSourceUrl(kGismeteoSource, code); }, {}, kFlagReload,
     [](std::string_view document, std::string_view) { return ExtractGismeteoLine(document); }, &HasWeatherWords},
    {"WUNDERGROUND.com (English)", "wu_towns.ini", "Irkutsk=30710", {},
     [](std::string_view code) { return BuildSourceUrl(kWundergroundSource, code); }, {}, kFlagReload,
     [](std::string_view document, std::string_view) { return ExtractWundergroundLine(document); }, &HasWeatherWords},
    {kOpenMeteoName.view(), "om_towns.ini", kOpenMeteoDefaultTown.view(), "om_places.ini", &BuildOpenMeteoUrl,
     kWrongCoordinates.view(), kOpenMeteoRequestFlags, &ExtractOpenMeteoLine, &IsOpenMeteoForecast},
}};

}  // namespace

WeatherSources TheWeatherSources() { return kSources; }

}  // namespace ow
