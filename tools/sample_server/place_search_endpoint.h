#pragma once
// Answers as Open-Meteo's geocoding API: GET /v1/search?name=..&count=..
// &language=..&format=json gives the places whose name starts with the name
// ({"results":[...],"generationtime_ms":..}, or without "results" when none
// is found), a count outside 1..100 or a format other than json 400 with the
// API's error object. Names, regions and countries are Russian for
// language=ru (the place's own name where it has no Russian one), English
// otherwise. The behaviour decides how the document is sent, or replaces it
// (api-error, not-json).
#include <httplib.h>

#include "behaviour.h"
#include "stop_signal.h"

namespace ow::sample {

void AnswerPlaceSearchRequest(const httplib::Request& request, httplib::Response& response,
                              const Behaviour& behaviour, const StopSignal& stop);

}  // namespace ow::sample
