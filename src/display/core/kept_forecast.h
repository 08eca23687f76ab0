#pragma once
// The last good forecast: the line of the last successful refresh, which
// source and town it is for and when it was fetched, and its file.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ow {

inline constexpr std::string_view kKeptForecastFileName = "ostixweather_last.dat";
// Far more than any line a source gives; a longer file is not ours.
inline constexpr std::size_t kKeptForecastFileLimit = 16 * 1024;

struct KeptForecast {
    int sourceIndex = 0;
    std::string townCode;
    std::string line;
    std::int64_t fetchedAt = 0;  // seconds since 1970-01-01 00:00 UTC
};

// The file's bytes: a line naming the format and its version, then
// "source=", "town=", "time=" and "line=" lines, each ending in CR LF. The
// weather line comes last and runs to the final CR LF, so any byte may be in it.
std::string EncodeKeptForecast(const KeptForecast& forecast);
// None for anything but exactly that layout with a source index and a time
// of decimal digits and a non-empty line, within kKeptForecastFileLimit: a
// damaged, empty, foreign or other version's file.
std::optional<KeptForecast> DecodeKeptForecast(std::string_view bytes);

}  // namespace ow
