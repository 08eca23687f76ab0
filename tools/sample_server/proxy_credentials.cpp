#include "proxy_credentials.h"

#include <cstdint>

#include "http_text.h"

namespace ow::sample {
namespace {

int SextetOf(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::optional<std::string> DecodeBase64(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    std::string out;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        const int pads = (text[i + 3] == '=') + (text[i + 2] == '=');
        if (pads > 0 && !last) return std::nullopt;
        if (text[i + 2] == '=' && text[i + 3] != '=') return std::nullopt;
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const int sextet = k >= 4u - static_cast<std::size_t>(pads) ? 0 : SextetOf(text[i + k]);
            if (sextet < 0) return std::nullopt;
            group = (group << 6) | static_cast<std::uint32_t>(sextet);
        }
        out += static_cast<char>(group >> 16);
        if (pads < 2) out += static_cast<char>((group >> 8) & 0xFF);
        if (pads < 1) out += static_cast<char>(group & 0xFF);
    }
    return out;
}

bool ProxyCredentialsMatch(std::string_view headerValue, std::string_view credentials) {
    headerValue = TrimBlanks(headerValue);
    const auto space = headerValue.find(' ');
    if (space == std::string_view::npos) return false;
    if (!EqualIgnoringCase(headerValue.substr(0, space), "basic")) return false;
    const auto decoded = DecodeBase64(TrimBlanks(headerValue.substr(space + 1)));
    return decoded && *decoded == credentials;
}

bool ProxyCredentialsAccepted(std::string_view headerValue, std::string_view credentials) {
    return credentials.empty() || ProxyCredentialsMatch(headerValue, credentials);
}

}  // namespace ow::sample
