#pragma once
// The forecast download as the plug-in runs it: WinInet with a worker thread
// per download, the downloads in progress (for finalisation), the extractor
// and the ticker rule that follows a successful extraction.
#include <functional>
#include <string>

#include "common/display_state.h"
#include "common/working_values.h"
#include "weather/core/fetch_handles.h"
#include "weather/core/fetch_weather.h"
#include "weather/core/place_search.h"
#include "weather/win32/wininet_port.h"

namespace ow {

class WeatherDownload {
public:
    WeatherDownload(const WorkingValues& values, DisplayState& display, std::function<void()> onExtracted)
        : values_(values), display_(display), onExtracted_(std::move(onExtracted)) {}

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
    std::function<void()> onExtracted_;
    WinInetPort internet_;
    FetchRegistry fetches_;
};

}  // namespace ow
