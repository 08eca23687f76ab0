#include "weather/core/fetch_request.h"

#include <cstddef>
#include <utility>

#include "weather/core/base64.h"
#include "weather/core/internet_port.h"

namespace ow {

std::string ProxyText(const WorkingValues& values) {
    return values.ProxyHost + ":" + values.ProxyPort;
}

std::string ProxyAuthorizationHeader(std::string_view login, std::string_view password) {
    std::string credential;
    credential.reserve(login.size() + 1 + password.size());
    credential.append(login).append(":").append(password);
    std::string header(kProxyAuthorizationPrefix);
    header += EncodeBase64(credential);
    return header;
}

namespace {

constexpr std::string_view kSecureScheme = "https://";

// "https://host/object": the host and the object, or none for any other URL.
std::optional<FetchRequest::Secure> SecureParts(std::string_view url) {
    if (!url.starts_with(kSecureScheme)) return std::nullopt;
    const std::string_view rest = url.substr(kSecureScheme.size());
    const std::size_t slash = rest.find('/');
    FetchRequest::Secure parts;
    parts.host = std::string(rest.substr(0, slash));
    parts.object = slash == std::string_view::npos ? std::string("/") : std::string(rest.substr(slash));
    return parts;
}

}  // namespace

namespace {

// How the request reaches `request.url`: directly or through the proxy, and
// where the proxy's credential goes.
void SetRoute(FetchRequest& request, const WorkingValues& values) {
    request.accessType = values.UseProxy ? kOpenTypeProxy : kOpenTypeDirect;
    if (values.UseProxy) request.proxy = ProxyText(values);
    // Authorisation only means something through a proxy.
    request.proxyAuthorization = values.UseProxy && values.ProxyAuth;
    if (request.url) request.secure = SecureParts(*request.url);
    if (request.proxyAuthorization) {
        request.proxyLogin = values.ProxyLogin;
        request.proxyPassword = values.ProxyPassword;
    }
    if (request.proxyAuthorization && !request.secure) {
        request.headers = ProxyAuthorizationHeader(values.ProxyLogin, values.ProxyPassword);
    } else {
        request.headers = kAcceptHeader;
        if (request.proxyAuthorization)
            request.secure->tunnelAuthorization = ProxyAuthorizationHeader(values.ProxyLogin, values.ProxyPassword);
    }
}

}  // namespace

std::optional<FetchRequest> BuildFetchRequest(const WorkingValues& values, std::string_view townCode,
                                              WeatherSources sources) {
    const int index = values.SourceIndex;
    if (index < 0 || static_cast<std::size_t>(index) >= sources.size()) return std::nullopt;

    FetchRequest request;
    request.sourceIndex = index;
    request.source = &sources[static_cast<std::size_t>(index)];
    request.townName = values.TownName;
    request.url = request.source->url(townCode);
    request.flags = request.source->requestFlags;
    SetRoute(request, values);
    return request;
}

FetchRequest BuildUrlRequest(const WorkingValues& values, std::string url, std::uint32_t flags) {
    FetchRequest request;
    request.url = std::move(url);
    request.flags = flags;
    SetRoute(request, values);
    return request;
}

}  // namespace ow
