#include "prefs/core/found_places.h"

#include "prefs/core/pref_controls.h"
#include "prefs/core/town_lists.h"

namespace ow {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
}  // namespace

std::string FoundPlaceEntry(const FoundPlace& place) {
    std::string entry = place.name;
    if (!place.region.empty() && place.region != place.name) entry.append(" (").append(place.region).append(")");
    return entry.append("=").append(PlaceCode(place.latitude, place.longitude));
}

std::string PlaceRowText(const FoundPlace& place) {
    std::string row = place.name;
    for (const std::string* part : {&place.region, &place.country}) {
        if (!part->empty()) row.append(", ").append(*part);
    }
    return row.append(" (").append(PlaceCode(place.latitude, place.longitude, ", ")).append(")");
}

int FindPlaceEntry(const StringList& lines, std::string_view code) {
    const auto wanted = PlaceKeyOf(code);
    if (!wanted) return kNoItem;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (PlaceKeyOf(SplitTownEntry(lines[i]).Code) == wanted) return static_cast<int>(i);
    }
    return kNoItem;
}

std::string WithEntryAdded(std::string_view fileBytes, std::string_view entry) {
    std::string bytes(fileBytes);
    if (!bytes.empty() && bytes.back() != '\n' && bytes.back() != '\r') bytes.append(kLineEnd);
    return bytes.append(entry).append(kLineEnd);
}

}  // namespace ow
