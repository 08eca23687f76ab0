#pragma once
// Where the place search lives: Open-Meteo's keyless geocoding service.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/found_place.h"

namespace ow {

inline constexpr std::string_view kGeocodingHost = "geocoding-api.open-meteo.com";
inline constexpr std::string_view kGeocodingPath = "/v1/search";
// After "?name=NAME": up to 10 places, named in Russian where the service can.
inline constexpr std::string_view kGeocodingQueryTail = "&count=10&language=ru&format=json";

// Fewer characters than this ask nothing of the service.
inline constexpr std::size_t kPlaceNameShortest = 2;

// Every byte but A-Z, a-z, 0-9, "-", ".", "_" and "~" as "%XX".
std::string PercentEncode(std::string_view bytes);

// The name as the user typed it (code page 1251), trimmed and cut to
// kPlaceNameLongest characters; none when fewer than kPlaceNameShortest
// characters remain.
std::optional<std::string> PlaceQueryName(std::string_view cp1251Name);

// "https://geocoding-api.open-meteo.com/v1/search?name=" and the name in
// UTF-8, percent-encoded, and the tail.
std::string BuildPlaceSearchUrl(std::string_view queryName);

}  // namespace ow
