#pragma once
// The places the stand-in geocoding service knows: a small gazetteer in the
// shape of GeoNames (Russian and English names, namesakes in several
// countries, places whose names the service has only in their own script).
#include <cstddef>
#include <string_view>
#include <vector>

namespace ow::sample {

struct Place {
    int id;
    std::string_view nameRu;  // UTF-8; the local name where there is no Russian one
    std::string_view nameEn;
    double latitude;
    double longitude;
    double elevation;
    std::string_view featureCode;
    std::string_view countryCode;
    std::string_view countryRu;
    std::string_view countryEn;
    std::string_view admin1Ru;  // may be empty
    std::string_view admin1En;
    std::string_view timezone;
    int population;
};

// The places whose Russian, English or own name starts with `name` (UTF-8;
// Latin and Cyrillic letters in any case), most populous first, at most
// `count`. Fewer than two characters find nothing, as with the real service.
std::vector<const Place*> FindPlaces(std::string_view name, std::size_t count);

}  // namespace ow::sample
