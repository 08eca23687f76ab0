#pragma once
// The document a source serves for one town on one date, with its media type.
#include <string_view>

#include "calendar_date.h"
#include "document_parts.h"
#include "weather_source.h"

namespace ow::sample {

struct WeatherDocument {
    DocumentParts parts;
    std::string_view contentType;
};

inline constexpr std::string_view kInformerContentType = "application/x-javascript; charset=windows-1251";
inline constexpr std::string_view kFeedContentType = "text/xml; charset=ISO-8859-1";

WeatherDocument BuildWeatherDocument(Source source, std::string_view townName, std::string_view townCode,
                                     CalendarDate date);

}  // namespace ow::sample
