#pragma once
// Everything a download sends, worked out from the settings before the first
// network call, so settings changed while the download runs cannot affect it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/weather_source.h"
#include "common/working_values.h"

namespace ow {

struct FetchRequest {
    int sourceIndex = 0;                   // the source the URL points at
    const WeatherSource* source = nullptr;  // its row
    std::string townName;                  // for the extraction
    std::uint32_t accessType = 0;          // kOpenTypeDirect or kOpenTypeProxy
    std::optional<std::string> proxy;      // "host:port" when going through a proxy
    bool proxyAuthorization = false;       // set the proxy options and send the credential
    std::string proxyLogin;
    std::string proxyPassword;
    std::optional<std::string> url;        // none: the town code names no place, nothing is requested
    std::uint32_t flags = 0;               // InternetOpenUrlA's flags
    std::string headers;                   // the one added header, no line end

    // An https URL goes out one step at a time, so that a proxy's refusal of
    // the tunnel can be answered; its credential never rides in `headers`,
    // which a WinInet may send inside the tunnel to the weather server.
    struct Secure {
        std::string host;
        std::string object;  // the path and query
        // Through an authenticating proxy, for a last try once the proxy has
        // refused the tunnel twice: a WinInet that does not answer the proxy
        // from the credential options sends it on the CONNECT, and with the
        // tunnel refused there is nobody else it could reach.
        std::string tunnelAuthorization;
    };
    std::optional<Secure> secure;
};

// ProxyHost ":" ProxyPort, joined as they are (no trimming, no default port).
std::string ProxyText(const WorkingValues& values);

// "Proxy-Authorization: Basic " and the Base64 of login ":" password.
std::string ProxyAuthorizationHeader(std::string_view login, std::string_view password);

// None when the source index names no source.
std::optional<FetchRequest> BuildFetchRequest(const WorkingValues& values, std::string_view townCode,
                                              WeatherSources sources);

// A request for another document of a service, `url` as it is, by the same
// route and rules as the forecast: the proxy settings and their credential.
FetchRequest BuildUrlRequest(const WorkingValues& values, std::string url, std::uint32_t flags);

}  // namespace ow
