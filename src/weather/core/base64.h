#pragma once
// Base64 for the proxy credential of the Basic authorisation header.
#include <string>
#include <string_view>

namespace ow {

// RFC 4648 section 4: standard alphabet, "=" padding, no line breaks. The
// bytes are encoded as stored; an empty input gives an empty result.
std::string EncodeBase64(std::string_view data);

}  // namespace ow
