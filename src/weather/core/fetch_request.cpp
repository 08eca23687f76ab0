#include "weather/core/fetch_request.h"

#include <utility>

#include "weather/core/base64.h"
#include "weather/core/internet_port.h"
#include "weather/core/source_urls.h"

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

std::optional<FetchRequest> BuildFetchRequest(const WorkingValues& values, std::string_view townCode) {
    auto url = BuildSourceUrl(values.SourceIndex, townCode);
    if (!url) return std::nullopt;

    FetchRequest request;
    request.sourceIndex = values.SourceIndex;
    request.url = std::move(*url);
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
