#include "connect_endpoint.h"

#include <string>

#include "connect_request.h"
#include "http_text.h"
#include "pages.h"
#include "proxy_credentials.h"
#include "weather/core/open_meteo_request.h"
#include "weather/core/place_search_request.h"

namespace ow::sample {
namespace {

constexpr std::string_view kTunnelPort = "443";
constexpr std::string_view kEstablished = "HTTP/1.1 200 Connection established\r\n\r\n";

bool Send(ConnectionStream& stream, std::string_view bytes) {
    return stream.write(bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

// An answer with a page that opens no tunnel; the connection stays usable.
bool SendPage(ConnectionStream& stream, std::string_view statusLine, std::string_view extraHeader,
              std::string_view page) {
    std::string answer = "HTTP/1.1 " + std::string(statusLine) + "\r\n" + std::string(extraHeader);
    answer += "Content-Type: " + std::string(kHtmlContentType) + "\r\n";
    answer += "Content-Length: " + std::to_string(page.size()) + "\r\n\r\n";
    answer += page;
    return Send(stream, answer);
}

}  // namespace

bool AnswerConnect(ConnectionStream& stream, const LiveSettings& settings, const TlsOrigin* origin,
                   std::string_view refusalPage) {
    const auto head = stream.ReadHead();
    if (!head) return false;
    const auto request = ParseConnectRequest(*head);
    if (!request) {
        SendPage(stream, "400 Bad Request", "Connection: close\r\n", kBadRequestPage);
        return false;
    }
    if (!ProxyCredentialsAccepted(request->proxyAuthorization, settings.credentials())) {
        const std::string challenge = "Proxy-Authenticate: " + std::string(kProxyChallenge) + "\r\n";
        return SendPage(stream, "407 Proxy Authentication Required", challenge, kTunnelCredentialsPage);
    }
    if (request->port != kTunnelPort) return SendPage(stream, "403 Forbidden", {}, kTunnelForbiddenPage);
    const bool openMeteo =
        EqualIgnoringCase(request->host, kOpenMeteoHost) || EqualIgnoringCase(request->host, kGeocodingHost);
    if (!openMeteo || !origin)
        return SendPage(stream, "502 Bad Gateway", {}, kBadGatewayPage);
    if (settings.behaviour().mode == Mode::RefuseTunnel) return SendPage(stream, "502 Bad Gateway", {}, refusalPage);

    if (!Send(stream, kEstablished)) return false;
    origin->Serve(stream.socket(), stream.TakeBuffered());
    return false;
}

}  // namespace ow::sample
