#pragma once
// A place the place search found, as the plug-in keeps it: texts in code
// page 1251, safe inside a town list's "name=code" line, coordinates within
// the Earth's ranges.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ow {

struct FoundPlace {
    std::string name;     // never empty
    std::string region;   // the first administrative division; may be empty
    std::string country;  // may be empty
    double latitude = 0;  // -90..90
    double longitude = 0;  // -180..180
};

// Longest name searched for, in characters: longer names are cut, since no
// place is called anything longer.
inline constexpr std::size_t kPlaceNameLongest = 100;
// Longest name, region or country kept, in characters.
inline constexpr std::size_t kPlaceTextLimit = 100;
// Stands for "=" in a name, which would split its list line in the wrong place.
inline constexpr char kPlaceEqualsStandIn = '-';

// A service's UTF-8 text as list-safe code page 1251: characters 1251 lacks
// as kNoCp1251Character, "=" as kPlaceEqualsStandIn, line breaks and other
// control characters as blanks, trimmed, at most kPlaceTextLimit characters.
std::string ListSafeText(std::string_view utf8);

// Whether both coordinates are numbers within -90..90 and -180..180.
bool CoordinatesInRange(double latitude, double longitude);

// "55.7558,37.6173": the town code of the Open-Meteo list, each coordinate
// rounded to 4 decimals; `separator` between them.
std::string PlaceCode(double latitude, double longitude, std::string_view separator = ",");

// A code's coordinates in ten-thousandths of a degree, rounded; none unless
// the code is two plain decimal numbers joined by ",". Two codes name the
// same place when these are equal.
struct PlaceKey {
    long latitude = 0;
    long longitude = 0;
    bool operator==(const PlaceKey&) const = default;
};
std::optional<PlaceKey> PlaceKeyOf(std::string_view code);

}  // namespace ow
