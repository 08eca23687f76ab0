#include "open_meteo_forecast.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "dice.h"
#include "forecast_model.h"
#include "open_meteo_query.h"
#include "weather_code.h"

namespace ow::sample {
namespace {

constexpr double kGridStep = 1.0 / 16;

// Adding zero turns a negative zero into zero, which the document writes as 0.0.
double Snap(double degrees, double limit) {
    return std::clamp(std::round(degrees / kGridStep) * kGridStep, -limit, limit) + 0.0;
}

// The usual daily mean: warmer towards the equator, with a yearly swing that
// grows towards the poles, smaller in the oceanic south, coldest in the
// northern winter's middle (mid-January).
int MeanTemperature(const GridPoint& point, CalendarDate date) {
    const double latitude = std::abs(point.latitude);
    const double yearly = 28 - 0.5 * latitude;
    const double swing = (point.latitude >= 0 ? 0.35 : 0.2) * latitude;
    const auto dayOfYear = DaySerial(date) - DaySerial({date.year, 1, 1});
    const double season = std::cos(2 * std::numbers::pi * static_cast<double>(dayOfYear - 15) / 365.25);
    const double hemisphere = point.latitude >= 0 ? -1 : 1;
    const int pointShift = static_cast<int>(point.seed % 5) - 2;
    return static_cast<int>(std::lround(yearly + hemisphere * swing * season)) + pointShift;
}

// Station pressure from sea-level pressure at an elevation (standard atmosphere).
int SurfacePressureTenths(int seaLevelTenths, int elevationMetres) {
    return static_cast<int>(std::lround(seaLevelTenths * std::pow(1 - 2.25577e-5 * elevationMetres, 5.25588)));
}

Dice DiceFor(const GridPoint& point, CalendarDate date, std::uint64_t purpose) {
    return Dice(point.seed ^ (static_cast<std::uint64_t>(DaySerial(date)) * 0x9E6C63D0676A9A99ull) ^ purpose);
}

}  // namespace

GridPoint NearestGridPoint(double latitude, double longitude) {
    GridPoint point;
    point.latitude = Snap(latitude, 90);
    point.longitude = Snap(longitude, 180);
    point.seed = SeedOf(ApiNumberText(point.latitude) + "," + ApiNumberText(point.longitude));
    point.elevationMetres = Dice(point.seed).Between(0, 900);
    return point;
}

OpenMeteoForecast MakeOpenMeteoForecast(const GridPoint& point, CalendarDate today, int days) {
    OpenMeteoForecast forecast;
    for (int i = 0; i < days; ++i) {
        const CalendarDate date = DateFromSerial(DaySerial(today) + i);
        const DayForecast day = MakeDay(point.seed, date, MeanTemperature(point, date));
        Dice dice = DiceFor(point, date, 1);
        OpenMeteoDay& out = forecast.days.emplace_back();
        out.date = date;
        out.weatherCode = WmoWeatherCode(day, dice.Between(0, 59));
        out.maxTenths = day.dayHigh * 10 + dice.Between(0, 9);
        out.minTenths = day.nightLow * 10 - dice.Between(0, 9);
    }

    // Now lies between the night's warmest and the day's coolest, so always
    // within the day's range; its sky falls as snow at or below zero.
    const DayForecast firstDay = MakeDay(point.seed, today, MeanTemperature(point, today));
    const CurrentConditions now = MakeCurrent(point.seed, firstDay);
    DayForecast moment = firstDay;
    moment.dayHigh = now.temperature;
    moment.snow = now.temperature <= 0;
    Dice dice = DiceFor(point, today, 2);
    forecast.now.temperatureTenths = now.temperature * 10 + dice.Between(-5, 5);
    forecast.now.humidityPercent = now.humidityPercent;
    forecast.now.weatherCode = WmoWeatherCode(moment, dice.Between(0, 59));
    forecast.now.surfacePressureTenths =
        SurfacePressureTenths(now.pressureHectopascal * 10 + dice.Between(0, 9), point.elevationMetres);
    forecast.now.windSpeedTenths = firstDay.windMetresPerSecond * 10 + dice.Between(-5, 5);
    forecast.now.windDirectionDegrees = (now.windDirection * 360 / kCompassPoints + dice.Between(-22, 22) + 360) % 360;
    return forecast;
}

void ApplyExample(OpenMeteoForecast& forecast) {
    forecast.now = {-26, 87, 73, 9952, 34, 225};
    const OpenMeteoDay example[] = {{{}, 73, -18, -83}, {{}, 3, -31, -75}};
    for (std::size_t i = 0; i < forecast.days.size() && i < std::size(example); ++i) {
        forecast.days[i].weatherCode = example[i].weatherCode;
        forecast.days[i].maxTenths = example[i].maxTenths;
        forecast.days[i].minTenths = example[i].minTenths;
    }
}

}  // namespace ow::sample
