#include "forecast_model.h"

#include "dice.h"

namespace ow::sample {
namespace {

// Mean daily temperature by month of a Siberian town; each code shifts it a
// little so neighbouring towns differ.
constexpr int kMonthlyMean[12] = {-18, -15, -7, 2, 9, 15, 18, 16, 9, 1, -8, -16};

}  // namespace

DayForecast MakeDay(std::uint64_t placeSeed, CalendarDate date, int meanTemperature) {
    // Seeded by the day itself, so a day reads the same whichever date the
    // forecast starts from.
    Dice dice(placeSeed ^ (static_cast<std::uint64_t>(DaySerial(date)) * 0xD6E8FEB86659FD93ull));
    const int anomaly = dice.Between(-4, 4);
    DayForecast day;
    day.date = date;
    day.nightHigh = meanTemperature + anomaly - dice.Between(2, 5);
    day.nightLow = day.nightHigh - dice.Between(1, 3);
    day.dayLow = meanTemperature + anomaly + dice.Between(0, 2);
    day.dayHigh = day.dayLow + dice.Between(1, 3);
    day.sky = static_cast<Sky>(dice.Between(0, static_cast<int>(Sky::Fog)));
    day.snow = day.dayHigh <= 0;
    day.windDirection = dice.Between(0, kCompassPoints - 1);
    day.windMetresPerSecond = dice.Between(1, 9);
    day.pressureHectopascal = dice.Between(995, 1040);
    day.humidityPercent = dice.Between(45, 95);
    return day;
}

CurrentConditions MakeCurrent(std::uint64_t placeSeed, const DayForecast& today) {
    Dice dice(placeSeed + static_cast<std::uint64_t>(DaySerial(today.date)));
    CurrentConditions now;
    now.temperature = dice.Between(today.nightHigh, today.dayLow);
    now.humidityPercent = today.humidityPercent;
    now.pressureHectopascal = today.pressureHectopascal;
    now.sky = today.sky;
    now.snow = today.snow;
    now.windDirection = today.windDirection;
    now.windKilometresPerHour = (today.windMetresPerSecond * 36 + 5) / 10;
    return now;
}

Forecast MakeForecast(std::string_view townCode, CalendarDate firstDay) {
    const std::uint64_t codeHash = SeedOf(townCode);
    const int townShift = static_cast<int>(codeHash % 13) - 6;
    Forecast forecast;
    const std::int64_t first = DaySerial(firstDay);
    for (int i = 0; i < kForecastDays; ++i) {
        const CalendarDate date = DateFromSerial(first + i);
        forecast.days[static_cast<std::size_t>(i)] = MakeDay(codeHash, date, kMonthlyMean[date.month - 1] + townShift);
    }
    forecast.now = MakeCurrent(codeHash, forecast.days[0]);
    return forecast;
}

}  // namespace ow::sample
