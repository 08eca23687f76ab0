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
    request.accessType = values.UseProxy ? kOpenTypeProxy : kOpenTypeDirect;
    if (values.UseProxy) request.proxy = ProxyText(values);
    // Authorisation only means something through a proxy.
    request.proxyAuthorization = values.UseProxy && values.ProxyAuth;
    if (request.proxyAuthorization) {
        request.proxyLogin = values.ProxyLogin;
        request.proxyPassword = values.ProxyPassword;
        request.headers = ProxyAuthorizationHeader(values.ProxyLogin, values.ProxyPassword);
    } else {
        request.headers = kAcceptHeader;
    }
    return request;
}

}  // namespace ow
