#include "weather/core/extract_weather_line.h"

#include <cstddef>

namespace ow {

std::string ExtractWeatherLine(std::string_view document, int sourceIndex, std::string_view townName) {
    const WeatherSources sources = TheWeatherSources();
    if (document.empty() || sourceIndex < 0 || static_cast<std::size_t>(sourceIndex) >= sources.size()) return {};
    return sources[static_cast<std::size_t>(sourceIndex)].extract(document, townName);
}

}  // namespace ow
