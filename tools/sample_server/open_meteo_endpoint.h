#pragma once
// Answers as the Open-Meteo forecast API: GET /v1/forecast?latitude=..&
// longitude=..&current=..&daily=..&wind_speed_unit=..&timezone=..&
// forecast_days=.. gives the forecast of the nearest grid point, a bad
// parameter 400 with the API's error object, any other path 404. The
// behaviour decides how the document is sent, or replaces it (example,
// api-error, not-json). Refusal is handled before this.
#include <httplib.h>

#include "behaviour.h"
#include "calendar_date.h"
#include "stop_signal.h"

namespace ow::sample {

void AnswerOpenMeteoRequest(const httplib::Request& request, httplib::Response& response, CalendarDate today,
                            const Behaviour& behaviour, const StopSignal& stop);

// The document the API gives for `target` (path and query) today, or an
// empty text when the API would refuse the query.
std::string OpenMeteoDocumentFor(std::string_view target, CalendarDate today);

}  // namespace ow::sample
