#include "weather/core/extract_weather_line.h"

#include "weather/core/gismeteo_extract.h"
#include "weather/core/wunderground_extract.h"

namespace ow {

std::string ExtractWeatherLine(std::string_view document, int sourceIndex) {
    if (document.empty()) return {};
    switch (sourceIndex) {
        case kGismeteoSource:
            return ExtractGismeteoLine(document);
        case kWundergroundSource:
            return ExtractWundergroundLine(document);
        default:
            return {};
    }
}

}  // namespace ow
