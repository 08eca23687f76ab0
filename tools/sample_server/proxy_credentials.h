#pragma once
// The Basic proxy credential check. The server decodes what it receives rather
// than encoding what it expects, so it does not share a fault with the client.
#include <optional>
#include <string>
#include <string_view>

namespace ow::sample {

// RFC 4648 Base64 with padding; none for anything malformed.
std::optional<std::string> DecodeBase64(std::string_view text);

// True when a Proxy-Authorization value is "Basic " (scheme in any case) and
// a token that decodes to exactly credentials ("user:pass").
bool ProxyCredentialsMatch(std::string_view headerValue, std::string_view credentials);

// Whether a proxy with credentials (empty: none needed) lets a request with
// this Proxy-Authorization value (empty when absent) through.
bool ProxyCredentialsAccepted(std::string_view headerValue, std::string_view credentials);

}  // namespace ow::sample
