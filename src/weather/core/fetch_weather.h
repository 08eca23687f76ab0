#pragma once
// The forecast download: request, body, classification, extraction.
#include <functional>
#include <string>
#include <string_view>

#include "common/display_state.h"
#include "common/weather_source.h"
#include "common/working_values.h"
#include "weather/core/fetch_handles.h"
#include "weather/core/internet_port.h"

namespace ow {

struct FetchServices {
    InternetPort& port;
    FetchRegistry& registry;            // the downloads in progress, for finalisation
    WeatherSources sources;             // the address and extraction of each source
    std::function<void()> onExtracted;  // the ticker start rule; may be empty
};

struct FetchResult {
    std::string text;        // the weather line or one of the fixed failure texts
    bool extracted = false;  // the text came from the extractor (and the ticker rule ran)
    bool cancelled = false;  // finalisation closed the handles mid-download: the
                             // caller must return without touching anything else
};

// Downloads the document of the selected source for `townCode` and leaves the
// outcome in display.CachedWeatherLine ("error" while it runs):
//   - "Ошибка соединения" when no connection or URL handle could be opened, the
//     source index names no source (nothing is opened then), or the document
//     is blank or larger than kMaxBodyBytes (the download ends at once then);
//   - the source's text for a town code that names no place (nothing is
//     opened then);
//   - "Proxy authorization failed!" when the document holds an authorisation
//     marker, or the proxy kept refusing an HTTPS tunnel (status 407);
//   - otherwise the source's line for the whole document and the town's name,
//     after which onExtracted runs.
// A cancelled download returns "Ошибка соединения" with `cancelled` set and
// leaves CachedWeatherLine and the ticker alone. The settings are read once,
// before the first network call.
FetchResult FetchWeather(std::string_view townCode, const WorkingValues& values, DisplayState& display,
                         const FetchServices& services);

}  // namespace ow
