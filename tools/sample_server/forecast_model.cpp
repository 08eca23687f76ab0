#include "forecast_model.h"

#include <cstdint>

namespace ow::sample {
namespace {

std::uint64_t Fnv1a(std::string_view text) {
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

// splitmix64: small, well mixed and identical on every platform.
class Dice {
public:
    explicit Dice(std::uint64_t seed) : state_(seed) {}
    int Between(int low, int high) {  // inclusive
        const auto span = static_cast<std::uint64_t>(high - low + 1);
        return low + static_cast<int>(Next() % span);
    }

private:
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint64_t state_;
};

// Mean daily temperature by month of a Siberian town; each code shifts it a
// little so neighbouring towns differ.
constexpr int kMonthlyMean[12] = {-18, -15, -7, 2, 9, 15, 18, 16, 9, 1, -8, -16};

DayForecast MakeDay(std::uint64_t codeHash, CalendarDate date) {
    // Seeded by the day itself, so a day reads the same whichever date the
    // forecast starts from.
    Dice dice(codeHash ^ (static_cast<std::uint64_t>(DaySerial(date)) * 0xD6E8FEB86659FD93ull));
    const int climate = kMonthlyMean[date.month - 1] + static_cast<int>(codeHash % 13) - 6;
    const int anomaly = dice.Between(-4, 4);
    DayForecast day;
    day.date = date;
    day.nightHigh = climate + anomaly - dice.Between(2, 5);
    day.nightLow = day.nightHigh - dice.Between(1, 3);
    day.dayLow = climate + anomaly + dice.Between(0, 2);
    day.dayHigh = day.dayLow + dice.Between(1, 3);
    day.sky = static_cast<Sky>(dice.Between(0, static_cast<int>(Sky::Fog)));
    day.snow = day.dayHigh <= 0;
    day.windDirection = dice.Between(0, kCompassPoints - 1);
    day.windMetresPerSecond = dice.Between(1, 9);
    day.pressureHectopascal = dice.Between(995, 1040);
    day.humidityPercent = dice.Between(45, 95);
    return day;
}

}  // namespace

Forecast MakeForecast(std::string_view townCode, CalendarDate firstDay) {
    const std::uint64_t codeHash = Fnv1a(townCode);
    Forecast forecast;
    const std::int64_t first = DaySerial(firstDay);
    for (int i = 0; i < kForecastDays; ++i)
        forecast.days[static_cast<std::size_t>(i)] = MakeDay(codeHash, DateFromSerial(first + i));

    const DayForecast& today = forecast.days[0];
    Dice dice(codeHash + static_cast<std::uint64_t>(first));
    forecast.now.temperature = dice.Between(today.nightHigh, today.dayLow);
    forecast.now.humidityPercent = today.humidityPercent;
    forecast.now.pressureHectopascal = today.pressureHectopascal;
    forecast.now.sky = today.sky;
    forecast.now.snow = today.snow;
    forecast.now.windDirection = today.windDirection;
    forecast.now.windKilometresPerHour = (today.windMetresPerSecond * 36 + 5) / 10;
    return forecast;
}

}  // namespace ow::sample
