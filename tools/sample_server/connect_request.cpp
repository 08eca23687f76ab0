#include "connect_request.h"

#include "http_text.h"

namespace ow::sample {

std::optional<ConnectRequest> ParseConnectRequest(std::string_view rawHead) {
    const std::string_view line = TakeLine(rawHead);
    if (!line.starts_with(kConnectMethod)) return std::nullopt;
    const std::string_view rest = line.substr(kConnectMethod.size());
    const auto space = rest.find(' ');
    if (space == std::string_view::npos || !rest.substr(space + 1).starts_with("HTTP/1.")) return std::nullopt;
    const std::string_view authority = rest.substr(0, space);
    const auto colon = authority.rfind(':');
    if (colon == std::string_view::npos || colon == 0) return std::nullopt;

    ConnectRequest request{std::string(authority.substr(0, colon)), std::string(authority.substr(colon + 1)), {}};
    for (std::string_view header = TakeLine(rawHead); !header.empty(); header = TakeLine(rawHead)) {
        const auto separator = header.find(':');
        if (separator != std::string_view::npos && EqualIgnoringCase(header.substr(0, separator), "Proxy-Authorization"))
            request.proxyAuthorization = TrimBlanks(header.substr(separator + 1));
    }
    return request;
}

}  // namespace ow::sample
