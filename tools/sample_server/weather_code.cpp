#include "weather_code.h"

#include <initializer_list>

namespace ow::sample {
namespace {

int Pick(std::initializer_list<int> codes, int roll) {
    const int size = static_cast<int>(codes.size());
    return codes.begin()[((roll % size) + size) % size];
}

}  // namespace

int WmoWeatherCode(const DayForecast& day, int roll) {
    const bool freezing = !day.snow && day.dayHigh <= 2 && day.nightLow < 0;
    const bool warm = day.dayHigh >= 18;
    switch (day.sky) {
        case Sky::Clear: return 0;
        case Sky::PartlyCloudy: return 1;
        case Sky::MostlyCloudy: return 2;
        case Sky::Overcast: return 3;
        case Sky::Fog: return day.snow ? 48 : 45;  // rime fog below freezing
        case Sky::LightPrecipitation:
            if (day.snow) return Pick({71, 77, 85}, roll);
            if (freezing) return Pick({56, 66}, roll);
            return Pick({51, 53, 61, 80}, roll);
        case Sky::Precipitation:
            if (day.snow) return Pick({73, 75, 86}, roll);
            if (freezing) return Pick({57, 67}, roll);
            if (warm) return Pick({95, 96, 99}, roll);
            return Pick({55, 63, 65, 81, 82}, roll);
    }
    return 0;
}

}  // namespace ow::sample
