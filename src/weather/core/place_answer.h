#pragma once
// The geocoding service's answer, read as it streams past: the places in the
// service's order, or its error object.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/found_place.h"

namespace ow {

// The places the search shows and asks the service for.
inline constexpr std::size_t kPlacesShown = 10;

struct PlaceAnswer {
    // The first kPlacesShown results that have a name and coordinates in
    // range; the others are passed over.
    std::vector<FoundPlace> places;
    bool error = false;                 // "error": true
    std::optional<std::string> reason;  // "reason", list-safe code page 1251
};

// None unless the document is one JSON object (within ReadJson's limits).
// Only the top-level members "results", "error" and "reason" count, and of
// each result "name", "admin1", "country", "latitude" and "longitude"; of a
// key given twice in one object the last wins, for "results" the whole array.
std::optional<PlaceAnswer> ReadPlaceAnswer(std::string_view document);

}  // namespace ow
