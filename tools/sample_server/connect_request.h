#pragma once
// A CONNECT request head as a proxy reads it: where the tunnel should lead
// and the credentials offered for it.
#include <optional>
#include <string>
#include <string_view>

namespace ow::sample {

// How a CONNECT request line begins.
inline constexpr std::string_view kConnectMethod = "CONNECT ";

struct ConnectRequest {
    std::string host;                // as written, case kept
    std::string port;                // as written; may be empty or not a number
    std::string proxyAuthorization;  // the header's value, blanks trimmed; empty when absent
};

// rawHead: the request line and headers, up to and with the blank line. None
// unless the line is "CONNECT host:port HTTP/1.x".
std::optional<ConnectRequest> ParseConnectRequest(std::string_view rawHead);

}  // namespace ow::sample
