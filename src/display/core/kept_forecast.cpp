#include "display/core/kept_forecast.h"

#include <limits>

namespace ow {

namespace {

constexpr std::string_view kHeader = "ostixWeather last forecast 1";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSourceKey = "source=";
constexpr std::string_view kTownKey = "town=";
constexpr std::string_view kTimeKey = "time=";
constexpr std::string_view kLineKey = "line=";

// Takes "<key><value>\r\n" off the front of `rest`; none when it is not there.
std::optional<std::string_view> TakeField(std::string_view& rest, std::string_view key) {
    if (!rest.starts_with(key)) return std::nullopt;
    const std::size_t end = rest.find(kLineEnd);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view value = rest.substr(key.size(), end - key.size());
    rest.remove_prefix(end + kLineEnd.size());
    return value;
}

// Decimal digits only, no sign, no blanks; at most 18 of them, so the
// value fits whatever the digits are.
std::optional<std::int64_t> DigitsValue(std::string_view text) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::string EncodeKeptForecast(const KeptForecast& forecast) {
    std::string bytes;
    bytes.append(kHeader).append(kLineEnd);
    bytes.append(kSourceKey).append(std::to_string(forecast.sourceIndex)).append(kLineEnd);
    bytes.append(kTownKey).append(forecast.townCode).append(kLineEnd);
    bytes.append(kTimeKey).append(std::to_string(forecast.fetchedAt)).append(kLineEnd);
    bytes.append(kLineKey).append(forecast.line).append(kLineEnd);
    return bytes;
}

std::optional<KeptForecast> DecodeKeptForecast(std::string_view bytes) {
    if (bytes.size() > kKeptForecastFileLimit) return std::nullopt;
    std::string_view rest = bytes;
    if (!rest.starts_with(kHeader) || !rest.substr(kHeader.size()).starts_with(kLineEnd)) return std::nullopt;
    rest.remove_prefix(kHeader.size() + kLineEnd.size());
    const auto source = TakeField(rest, kSourceKey);
    const auto town = TakeField(rest, kTownKey);
    const auto time = TakeField(rest, kTimeKey);
    if (!source || !town || !time) return std::nullopt;
    // The weather line: everything up to the file's last CR LF.
    if (!rest.starts_with(kLineKey) || !rest.ends_with(kLineEnd)) return std::nullopt;
    const std::string_view line = rest.substr(kLineKey.size(), rest.size() - kLineKey.size() - kLineEnd.size());
    const auto sourceIndex = DigitsValue(*source);
    const auto fetchedAt = DigitsValue(*time);
    if (!sourceIndex || *sourceIndex > std::numeric_limits<int>::max() || !fetchedAt || line.empty()) {
        return std::nullopt;
    }
    return KeptForecast{static_cast<int>(*sourceIndex), std::string(*town), std::string(line), *fetchedAt};
}

}  // namespace ow
