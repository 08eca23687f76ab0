#pragma once
// The forecast download as the plug-in runs it: WinInet with a worker thread
// per download, the downloads in progress (for finalisation), the extractor,
// the last good forecast a failure shows with its age, and the ticker rule
// that follows a successful extraction or such a failure.
#include <functional>
#include <string>

#include "common/display_state.h"
#include "common/working_values.h"
#include "display/core/last_good_forecast.h"
#include "display/win32/kept_forecast_file.h"
#include "weather/core/fetch_handles.h"
#include "weather/core/fetch_weather.h"
#include "weather/core/place_search.h"
#include "weather/win32/wininet_port.h"

namespace ow {

class WeatherDownload {
public:
    WeatherDownload(const WorkingValues& values, DisplayState& display, std::function<void()> startTicker)
        : values_(values), display_(display), startTicker_(std::move(startTicker)) {}

    // The download's outcome; a failure's text (also left in
    // CachedWeatherLine) carries the last good forecast of its source and
    // town when there is a fresh one.
    FetchResult Run(const std::string& townCode);
    // A place search over the same WinInet port, worker and registry, so
    // finalisation ends it as it ends a download.
    PlaceSearchResult SearchPlaces(const std::string& name, const WorkingValues& values) {
        return ow::SearchPlaces(name, values, internet_, fetches_);
    }
    // Finalisation: every download in progress is closed and returns.
    void CloseAll() { fetches_.CloseAll(); }

private:
    const WorkingValues& values_;
    DisplayState& display_;
    std::function<void()> startTicker_;
    WinInetPort internet_;
    FetchRegistry fetches_;
    KeptForecastFile keptFile_;
    LastGoodForecast lastGood_{keptFile_};
};

}  // namespace ow
