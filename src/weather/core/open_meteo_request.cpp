#include "weather/core/open_meteo_request.h"

#include <algorithm>
#include <cstddef>

#include "weather/core/open_meteo_fields.h"

namespace ow {

namespace {
constexpr std::string_view kLatitudeParameter = "?latitude=";
constexpr std::string_view kLongitudeParameter = "&longitude=";
constexpr char kHalvesSeparator = ',';
// The bounds as digits: a half is compared digit by digit, never converted,
// so that a code of any length is judged exactly.
constexpr std::string_view kLatitudeBound = "90";
constexpr std::string_view kLongitudeBound = "180";

// Whether the query asks `parameter` for exactly `fields`, in their order.
template <std::size_t N>
consteval bool AsksFor(std::string_view parameter, const std::array<open_meteo::Field, N>& fields) {
    std::string_view rest = kOpenMeteoQueryTail;
    const std::size_t start = rest.find(parameter);
    if (start == std::string_view::npos) return false;
    rest.remove_prefix(start + parameter.size());
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0 && !rest.starts_with(',')) return false;
        if (i > 0) rest.remove_prefix(1);
        if (!rest.starts_with(fields[i].key)) return false;
        rest.remove_prefix(fields[i].key.size());
    }
    return rest.empty() || rest.starts_with('&');
}
static_assert(AsksFor("&current=", open_meteo::kCurrentFields) && AsksFor("&daily=", open_meteo::kDailyFields),
              "the request asks for exactly the values the line is made of");

bool IsDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// An optional "-", digits, optionally "." and digits, within -bound..bound.
bool IsPlainDecimalWithin(std::string_view text, std::string_view bound) {
    if (text.starts_with('-')) text.remove_prefix(1);
    const std::size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    if (!IsDigits(whole) || (point != std::string_view::npos && !IsDigits(fraction))) return false;
    whole.remove_prefix(std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.size() != bound.size()) return whole.size() < bound.size();
    if (whole != bound) return whole < bound;
    return fraction.find_first_not_of('0') == std::string_view::npos;
}
}  // namespace

std::optional<std::string> BuildOpenMeteoUrl(std::string_view townCode) {
    const std::size_t separator = townCode.find(kHalvesSeparator);
    if (separator == std::string_view::npos) return std::nullopt;
    const std::string_view latitude = townCode.substr(0, separator);
    const std::string_view longitude = townCode.substr(separator + 1);  // a second comma fails here
    if (!IsPlainDecimalWithin(latitude, kLatitudeBound) || !IsPlainDecimalWithin(longitude, kLongitudeBound)) {
        return std::nullopt;
    }
    std::string url;
    url.reserve(kOpenMeteoScheme.size() + kOpenMeteoHost.size() + kOpenMeteoPath.size() + kLatitudeParameter.size() +
                latitude.size() + kLongitudeParameter.size() + longitude.size() + kOpenMeteoQueryTail.size());
    url.append(kOpenMeteoScheme).append(kOpenMeteoHost).append(kOpenMeteoPath);
    url.append(kLatitudeParameter).append(latitude).append(kLongitudeParameter).append(longitude);
    url.append(kOpenMeteoQueryTail);
    return url;
}

}  // namespace ow
