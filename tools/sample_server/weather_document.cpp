#include "weather_document.h"

#include "feed_document.h"
#include "forecast_model.h"
#include "informer_document.h"

namespace ow::sample {

WeatherDocument BuildWeatherDocument(Source source, std::string_view townName, std::string_view townCode,
                                     CalendarDate date) {
    const Forecast forecast = MakeForecast(townCode, date);
    if (source == Source::Informer)
        return {BuildInformerDocument(townName, townCode, forecast), kInformerContentType};
    return {BuildFeedDocument(townName, townCode, forecast), kFeedContentType};
}

}  // namespace ow::sample
