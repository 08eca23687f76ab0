#pragma once
#include <string>
#include <string_view>

#include "weather/core/weather_sources.h"

namespace ow {

// Reduces a downloaded document to the one line of weather text for the given
// source; `townName` is the selected town's name, for the sources whose line
// names it. An empty document or an unknown source gives an empty line.
std::string ExtractWeatherLine(std::string_view document, int sourceIndex, std::string_view townName = {});

}  // namespace ow
