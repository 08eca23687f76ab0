#pragma once
// Invented but plausible weather, fixed by the town code and the date: the same
// code and date always give the same numbers, whichever document shows them.
#include <array>
#include <cstdint>
#include <string_view>

#include "calendar_date.h"

namespace ow::sample {

enum class Sky { Clear, PartlyCloudy, MostlyCloudy, Overcast, LightPrecipitation, Precipitation, Fog };

inline constexpr int kCompassPoints = 8;  // wind directions: 0 = north, clockwise

struct DayForecast {
    CalendarDate date;
    int nightLow = 0, nightHigh = 0;  // degrees Celsius
    int dayLow = 0, dayHigh = 0;
    Sky sky = Sky::Clear;
    bool snow = false;  // precipitation falls as snow
    int windDirection = 0;
    int windMetresPerSecond = 0;
    int pressureHectopascal = 0;
    int humidityPercent = 0;
};

struct CurrentConditions {
    int temperature = 0;
    int humidityPercent = 0;
    int pressureHectopascal = 0;
    Sky sky = Sky::Clear;
    bool snow = false;
    int windDirection = 0;
    int windKilometresPerHour = 0;
};

inline constexpr int kForecastDays = 3;

struct Forecast {
    CurrentConditions now;
    std::array<DayForecast, kForecastDays> days;  // from the given date on
};

// A town of the two town-list sources, by its code: a Siberian climate.
Forecast MakeForecast(std::string_view townCode, CalendarDate firstDay);

// The pieces, for places of other climates. placeSeed fixes the weather of a
// place (SeedOf its name); meanTemperature is the place's usual mean on that date.
DayForecast MakeDay(std::uint64_t placeSeed, CalendarDate date, int meanTemperature);
CurrentConditions MakeCurrent(std::uint64_t placeSeed, const DayForecast& today);

}  // namespace ow::sample
