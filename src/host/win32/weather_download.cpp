#include "host/win32/weather_download.h"

#include "weather/core/extract_weather_line.h"

namespace ow {

FetchResult WeatherDownload::Run(const std::string& townCode) {
    const FetchServices services{internet_, fetches_, &ExtractWeatherLine, onExtracted_};
    return FetchWeather(townCode, values_, display_, services);
}

}  // namespace ow
