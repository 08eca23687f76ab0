#include "weather/core/forecast_line.h"

#include <algorithm>

#include "weather/core/open_meteo_texts.h"

namespace ow {

bool HasWeatherWords(std::string_view line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
               byte >= 0xC0;  // the Cyrillic letters of code page 1251
    });
}

bool IsOpenMeteoForecast(std::string_view line) {
    using namespace open_meteo;
    return HasWeatherWords(line) && line != kNoWeatherData.view() && !line.starts_with(kErrorOpening);
}

}  // namespace ow
