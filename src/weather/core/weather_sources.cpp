#include "weather/core/weather_sources.h"

#include <array>

#include "common/cp1251.h"
#include "weather/core/gismeteo_extract.h"
#include "weather/core/internet_port.h"
#include "weather/core/source_urls.h"
#include "weather/core/wunderground_extract.h"

namespace ow {

namespace {

constexpr auto kGismeteoName = Cp1251(u8"GISMETEO.ru (Русский)");
constexpr auto kGismeteoDefaultTown = Cp1251(u8"Иркутск=30710");

constexpr std::array<WeatherSource, 2> kSources{{
    {kGismeteoName.view(), "gis_towns.ini", kGismeteoDefaultTown.view(),
     [](std::string_view code) { return BuildSourceUrl(kGismeteoSource, code); }, {}, kFlagReload,
     [](std::string_view document, std::string_view) { return ExtractGismeteoLine(document); }},
    {"WUNDERGROUND.com (English)", "wu_towns.ini", "Irkutsk=30710",
     [](std::string_view code) { return BuildSourceUrl(kWundergroundSource, code); }, {}, kFlagReload,
     [](std::string_view document, std::string_view) { return ExtractWundergroundLine(document); }},
}};

}  // namespace

WeatherSources TheWeatherSources() { return kSources; }

}  // namespace ow
