#include "weather_endpoint.h"

#include <string>

#include "dead_connection.h"
#include "document_response.h"
#include "open_meteo_endpoint.h"
#include "pages.h"
#include "place_search_endpoint.h"
#include "proxy_credentials.h"
#include "request_target.h"
#include "weather/core/open_meteo_request.h"
#include "weather/core/place_search_request.h"
#include "weather_document.h"

namespace ow::sample {
namespace {

void AnswerPage(int status, std::string_view page, httplib::Response& response) {
    response.status = status;
    response.set_content(std::string(page), std::string(kHtmlContentType));
}

}  // namespace

void AnswerWeatherRequest(const httplib::Request& request, httplib::Response& response, const WeatherSite& site,
                          const LiveSettings& settings, const StopSignal& stop) {
    const Behaviour behaviour = settings.behaviour();
    if (DropConnectionIfAsked(behaviour, stop, response)) return;

    const RequestTarget target = ParseRequestTarget(request.target);
    if (target.proxyForm) {
        if (!ProxyCredentialsAccepted(request.get_header_value("Proxy-Authorization"), settings.credentials())) {
            response.set_header("Proxy-Authenticate", std::string(kProxyChallenge));
            return AnswerPage(407, kProxyAuthenticationPage, response);
        }
    }
    if (target.proxyForm ? target.host == kOpenMeteoHost : target.path == kOpenMeteoPath)
        return AnswerOpenMeteoRequest(request, response, site.date, behaviour, stop);
    if (target.proxyForm ? target.host == kGeocodingHost : target.path == kGeocodingPath)
        return AnswerPlaceSearchRequest(request, response, behaviour, stop);

    std::optional<Source> hostSource;
    if (target.proxyForm) {
        hostSource = SourceOfHost(target.host);
        // This proxy reaches nothing but the weather hosts, which it is itself.
        if (!hostSource) return AnswerPage(502, kBadGatewayPage, response);
    }

    const auto wanted = MatchDocumentPath(target.path);
    if (!wanted || (hostSource && *hostSource != wanted->source))
        return AnswerPage(404, kNotFoundPage, response);
    const auto townName = site.towns[static_cast<std::size_t>(wanted->source)].NameOf(wanted->townCode);
    if (!townName) return AnswerPage(404, kNotFoundPage, response);

    FillDocumentResponse(BuildWeatherDocument(wanted->source, *townName, wanted->townCode, site.date),
                         behaviour, stop, response);
}

}  // namespace ow::sample
