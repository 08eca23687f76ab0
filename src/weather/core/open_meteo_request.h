#pragma once
// Where the Open-Meteo forecast lives and what the plug-in asks of it. The
// town code of this source is "latitude,longitude" in decimal degrees.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "weather/core/internet_port.h"

namespace ow {

// A forecast (or a place search) is fresh or useless: never from a cache,
// never into one, and no cookies or dialogs. WinInet neither answers a
// challenge nor follows a redirect by itself: either would send requests no
// one counts, and an answer to a challenge from beyond the tunnel would hand
// the server the proxy's credential.
inline constexpr std::uint32_t kOpenMeteoRequestFlags = kFlagReload | kFlagNoCacheWrite | kFlagPragmaNoCache |
                                                        kFlagNoCookies | kFlagNoUi | kFlagNoAuth | kFlagNoAutoRedirect;

// Every Open-Meteo service is asked over HTTPS.
inline constexpr std::string_view kOpenMeteoScheme = "https://";
inline constexpr std::string_view kOpenMeteoHost = "api.open-meteo.com";
inline constexpr std::string_view kOpenMeteoPath = "/v1/forecast";
// After "?latitude=LAT&longitude=LON": the fields the line is made of.
inline constexpr std::string_view kOpenMeteoQueryTail =
    "&current=temperature_2m,relative_humidity_2m,weather_code,surface_pressure,wind_speed_10m,wind_direction_10m"
    "&daily=weather_code,temperature_2m_max,temperature_2m_min&wind_speed_unit=ms&timezone=auto&forecast_days=2";

// "https://api.open-meteo.com/v1/forecast?latitude=LAT&longitude=LON" and the
// tail, LAT and LON being the two halves of the code as they are written.
// None unless each half is a plain decimal number (an optional "-", digits,
// optionally "." and digits) within -90..90 and -180..180.
std::optional<std::string> BuildOpenMeteoUrl(std::string_view townCode);

}  // namespace ow
