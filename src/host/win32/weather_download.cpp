#include "host/win32/weather_download.h"

#include "weather/core/weather_sources.h"

namespace ow {

FetchResult WeatherDownload::Run(const std::string& townCode) {
    const FetchServices services{internet_, fetches_, TheWeatherSources(), onExtracted_};
    return FetchWeather(townCode, values_, display_, services);
}

}  // namespace ow
