#pragma once
// The time zones the Open-Meteo stand-in names: what timezone=auto finds for
// a place, and the names a request may give. Offsets are those of standard
// (winter) time; the zones of Russia, which the shipped towns are in, follow
// its own boundaries roughly, the rest of the world one zone per 15 degrees
// of longitude.
#include <optional>
#include <string_view>

namespace ow::sample {

struct TimeZone {
    std::string_view name;
    std::string_view abbreviation;
    int utcOffsetHours = 0;
};

inline constexpr TimeZone kGmt{"GMT", "GMT", 0};

TimeZone ZoneAt(double latitude, double longitude);

// A zone by its name (also "GMT" and "UTC"); none for a name this server
// does not know.
std::optional<TimeZone> ZoneNamed(std::string_view name);

}  // namespace ow::sample
