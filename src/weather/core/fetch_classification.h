#pragma once
// What a downloaded document amounts to, before any extraction.
#include <array>
#include <string_view>

namespace ow {

// Case-sensitive fragments that mark a refusal page, searched anywhere in the
// document whether or not a proxy is in use.
inline constexpr std::array<std::string_view, 3> kProxyAuthFailureMarkers{"authoriz", "authenticat", "HTTP 407"};

enum class BodyKind {
    Blank,                 // empty, or only bytes 0x00..0x20
    ProxyAuthFailure,      // holds one of kProxyAuthFailureMarkers
    Document,              // anything else: hand it to the extractor
};

// Reads the body in place; nothing is copied.
BodyKind ClassifyBody(std::string_view body);

}  // namespace ow
