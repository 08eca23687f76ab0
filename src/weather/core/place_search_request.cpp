#include "weather/core/place_search_request.h"

#include "common/code_page.h"
#include "common/text_ops.h"
#include "weather/core/open_meteo_request.h"

namespace ow {

namespace {
constexpr std::string_view kNameParameter = "?name=";
constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsUnreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}
}  // namespace

std::string PercentEncode(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        if (IsUnreserved(c)) {
            out += c;
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        out += '%';
        out += kHexDigits[byte >> 4];
        out += kHexDigits[byte & 0x0F];
    }
    return out;
}

std::optional<std::string> PlaceQueryName(std::string_view cp1251Name) {
    const std::string_view name = Trim(Trim(cp1251Name).substr(0, kPlaceNameLongest));
    if (name.size() < kPlaceNameShortest) return std::nullopt;
    return std::string(name);
}

std::string BuildPlaceSearchUrl(std::string_view queryName) {
    std::string url(kOpenMeteoScheme);
    url.append(kGeocodingHost).append(kGeocodingPath).append(kNameParameter);
    url.append(PercentEncode(Cp1251ToUtf8(queryName))).append(kGeocodingQueryTail);
    return url;
}

}  // namespace ow
