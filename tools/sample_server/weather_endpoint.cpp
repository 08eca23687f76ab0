#include "weather_endpoint.h"

#include <string>

#include "connection_stream.h"
#include "document_response.h"
#include "pages.h"
#include "proxy_credentials.h"
#include "request_target.h"
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
    if (behaviour.mode == Mode::Refuse || behaviour.mode == Mode::HoldClose) {
        // A dead server or proxy, or one that keeps the client waiting and
        // then gives up: whatever is answered below never leaves.
        if (behaviour.mode == Mode::HoldClose && stop.WaitFor(behaviour.interval)) return;
        if (ConnectionStream* connection = ConnectionStream::Current()) connection->Refuse();
        response.set_header("Connection", "close");
        return;
    }

    const RequestTarget target = ParseRequestTarget(request.target);
    std::optional<Source> hostSource;
    if (target.proxyForm) {
        const std::string credentials = settings.credentials();
        if (!credentials.empty() &&
            !ProxyCredentialsMatch(request.get_header_value("Proxy-Authorization"), credentials)) {
            response.set_header("Proxy-Authenticate", "Basic realm=\"" + std::string(kProxyRealm) + "\"");
            AnswerPage(407, kProxyAuthenticationPage, response);
            return;
        }
        hostSource = SourceOfHost(target.host);
        // This proxy reaches nothing but the two weather hosts, which it is itself.
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
