#include "host/win32/weather_download.h"

#include <utility>

#include "common/win32/utc_clock.h"
#include "weather/core/weather_sources.h"

namespace ow {

FetchResult WeatherDownload::Run(const std::string& townCode) {
    const WeatherSources sources = TheWeatherSources();
    // What the download asks for: it reads the values before it first waits.
    const int sourceIndex = values_.SourceIndex;
    const FetchServices services{internet_, fetches_, sources, startTicker_};
    FetchResult result = FetchWeather(townCode, values_, display_, services);
    if (result.cancelled) return result;
    // An extracted line comes from a source that exists.
    const bool forecast = result.extracted && sources[static_cast<std::size_t>(sourceIndex)].isForecast(result.text);
    auto shown = lastGood_.AfterRefresh(sourceIndex, townCode, result.text, forecast, UtcSecondsNow());
    if (shown) {
        result.text = std::move(*shown);
        display_.CachedWeatherLine = result.text;
        // The failure and the forecast after it are longer than a section;
        // an extracted line has had the ticker started already.
        if (startTicker_ && !result.extracted) startTicker_();
    }
    return result;
}

}  // namespace ow
