#pragma once
// Answers every request that is not a control request: as the origin of the
// two weather hosts (origin form, any Host) and as a proxy in front of them
// (absolute URI), with Basic proxy authorisation when credentials are set.
// The Open-Meteo forecast is served here too, in plain HTTP, at its path in
// origin form or at its host in proxy form.
#include <array>

#include <httplib.h>

#include "calendar_date.h"
#include "live_settings.h"
#include "stop_signal.h"
#include "town_catalog.h"

namespace ow::sample {

struct WeatherSite {
    std::array<TownCatalog, kSourceCount> towns;  // indexed by Source
    CalendarDate date = kDefaultForecastDate;
};

void AnswerWeatherRequest(const httplib::Request& request, httplib::Response& response, const WeatherSite& site,
                          const LiveSettings& settings, const StopSignal& stop);

}  // namespace ow::sample
