// Feeds arbitrary documents to the place search's reading of the service's
// answer. Whatever comes in, at most ten places come out, each with a name,
// coordinates in range and texts that fit on one town list line; the error's
// reason too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/found_place.h"
#include "weather/core/place_answer.h"

namespace {

void RequireListSafe(std::string_view text, bool mayBeEmpty) {
    if ((!mayBeEmpty && text.empty()) || text.size() > ow::kPlaceTextLimit) std::abort();
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '=') std::abort();
    }
    if (!text.empty() && (text.front() == ' ' || text.back() == ' ')) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view document(reinterpret_cast<const char*>(data), size);
    RequireListSafe(ow::ListSafeText(document), true);
    const auto answer = ow::ReadPlaceAnswer(document);
    if (!answer) return 0;
    if (answer->places.size() > ow::kPlacesShown) std::abort();
    for (const ow::FoundPlace& place : answer->places) {
        RequireListSafe(place.name, false);
        RequireListSafe(place.region, true);
        RequireListSafe(place.country, true);
        if (!ow::CoordinatesInRange(place.latitude, place.longitude)) std::abort();
        if (!ow::PlaceKeyOf(ow::PlaceCode(place.latitude, place.longitude))) std::abort();
    }
    if (answer->reason) RequireListSafe(*answer->reason, true);
    return 0;
}
