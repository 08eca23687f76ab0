#pragma once
// Whether an extracted line is a forecast worth keeping as the last good one.
#include <string_view>

namespace ow {

// A letter or a digit anywhere in it: the informer's and the feed's lines of
// a page that is not theirs (a proxy's or server's error page) are empty or
// only their separators.
bool HasWeatherWords(std::string_view line);

// Open-Meteo's line, and neither its no-data text nor its error line.
bool IsOpenMeteoForecast(std::string_view line);

}  // namespace ow
