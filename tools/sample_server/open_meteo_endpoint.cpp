#include "open_meteo_endpoint.h"

#include "document_response.h"
#include "open_meteo_document.h"
#include "pages.h"
#include "request_target.h"
#include "weather/core/open_meteo_request.h"

namespace ow::sample {
namespace {

// The reason the api-error mode gives, as the API words a refusal.
constexpr std::string_view kApiErrorReason = "No data is available for this location";

void AnswerError(std::string_view reason, httplib::Response& response) {
    response.status = 400;
    response.set_content(BuildOpenMeteoError(reason), std::string(kJsonContentType));
}

}  // namespace

std::string OpenMeteoDocumentFor(std::string_view target, CalendarDate today) {
    const std::size_t mark = target.find('?');
    httplib::Params params;
    if (mark != std::string_view::npos) httplib::detail::parse_query_text(std::string(target.substr(mark + 1)), params);
    std::string reason;
    const auto query = ParseOpenMeteoQuery(params, &reason);
    if (!query) return {};
    const GridPoint point = NearestGridPoint(query->latitude, query->longitude);
    return BuildOpenMeteoDocument(*query, point, MakeOpenMeteoForecast(point, today, query->forecastDays), today)
        .Whole();
}

void AnswerOpenMeteoRequest(const httplib::Request& request, httplib::Response& response, CalendarDate today,
                            const Behaviour& behaviour, const StopSignal& stop) {
    if (ParseRequestTarget(request.target).path != kOpenMeteoPath) {
        response.status = 404;
        response.set_content(std::string(kNotFoundPage), std::string(kHtmlContentType));
        return;
    }
    std::string reason;
    const auto query = ParseOpenMeteoQuery(request.params, &reason);
    if (!query) return AnswerError(reason, response);
    if (behaviour.mode == Mode::ApiError) return AnswerError(kApiErrorReason, response);
    if (behaviour.mode == Mode::NotJson)
        return response.set_content(std::string(kMaintenancePage), std::string(kHtmlContentType));

    const GridPoint point = NearestGridPoint(query->latitude, query->longitude);
    OpenMeteoForecast forecast = MakeOpenMeteoForecast(point, today, query->forecastDays);
    if (behaviour.mode == Mode::Example) ApplyExample(forecast);
    FillDocumentResponse({BuildOpenMeteoDocument(*query, point, forecast, today), kJsonContentType}, behaviour,
                         stop, response);
}

}  // namespace ow::sample
