#pragma once
// The Open-Meteo forecast document, written as the API writes it: the grid
// point and time zone, then for each block asked for (current, daily) its
// units and its values, in the order the request named them.
#include <string>
#include <string_view>

#include "calendar_date.h"
#include "document_parts.h"
#include "open_meteo_forecast.h"
#include "open_meteo_query.h"

namespace ow::sample {

inline constexpr std::string_view kJsonContentType = "application/json; charset=utf-8";

// The whole document in its head and tail; stretched, it carries a long
// hourly temperature array after everything else, which a reader ignores.
DocumentParts BuildOpenMeteoDocument(const OpenMeteoQuery& query, const GridPoint& point,
                                     const OpenMeteoForecast& forecast, CalendarDate today);

// {"error":true,"reason":"..."}
std::string BuildOpenMeteoError(std::string_view reason);

}  // namespace ow::sample
