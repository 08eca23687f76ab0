#pragma once
// The invented weather of the Open-Meteo stand-in for any place on Earth:
// the same coordinates and date always give the same values, which follow the
// latitude and the season (cold winters inland in the north, warm all year
// near the equator, seasons reversed in the south).
#include <cstdint>
#include <vector>

#include "calendar_date.h"

namespace ow::sample {

// The forecast grid point a place falls on: the API answers for the nearest
// point of its grid, not the exact coordinates asked.
struct GridPoint {
    double latitude = 0;
    double longitude = 0;
    int elevationMetres = 0;
    std::uint64_t seed = 0;  // fixes the point's weather
};

GridPoint NearestGridPoint(double latitude, double longitude);

// Temperatures, pressures and speeds in tenths, as the API rounds them.
struct OpenMeteoNow {
    int temperatureTenths = 0;
    int humidityPercent = 0;
    int weatherCode = 0;
    int surfacePressureTenths = 0;
    int windSpeedTenths = 0;  // metres per second
    int windDirectionDegrees = 0;
};

struct OpenMeteoDay {
    CalendarDate date;
    int weatherCode = 0;
    int maxTenths = 0;
    int minTenths = 0;
};

struct OpenMeteoForecast {
    OpenMeteoNow now;
    std::vector<OpenMeteoDay> days;  // from today on
};

OpenMeteoForecast MakeOpenMeteoForecast(const GridPoint& point, CalendarDate today, int days);

// The example mode's forecast: light-to-moderate snow at -2.6 degrees, then
// an overcast day; days past the second keep their invented values.
void ApplyExample(OpenMeteoForecast& forecast);

}  // namespace ow::sample
