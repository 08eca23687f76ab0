#pragma once
// The place search: the service asked for a name over the forecast's road
// (the same port, worker, route and certificate rules), its answer read into
// places or one text for the user.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp1251.h"
#include "common/found_place.h"
#include "common/working_values.h"
#include "weather/core/fetch_handles.h"
#include "weather/core/internet_port.h"

namespace ow {

// Places come a few hundred bytes each: an answer larger than this is no
// answer of the service.
inline constexpr std::size_t kMaxPlaceAnswerBytes = 1024 * 1024;

inline constexpr auto kPlaceNameTooShortText = Cp1251(u8"Нужно хотя бы две буквы");
inline constexpr auto kNothingFoundText = Cp1251(u8"Ничего не найдено");

struct PlaceSearchResult {
    std::vector<FoundPlace> places;  // in the service's order; empty when `text` says why
    std::string text;                // why there are no places
    bool cancelled = false;          // finalisation closed the handles: touch nothing more
};

// Searches for a name typed in code page 1251:
//   - kPlaceNameTooShortText for fewer than two characters (nothing is sent);
//   - "Ошибка соединения" when no connection could be opened, the answer is
//     blank, not the service's JSON or larger than kMaxPlaceAnswerBytes;
//   - "Proxy authorization failed!" as for a refresh;
//   - the service's reason, after "Open-Meteo: ", for its error object;
//   - kNothingFoundText when no usable place came;
//   - otherwise the places.
PlaceSearchResult SearchPlaces(std::string_view cp1251Name, const WorkingValues& values, InternetPort& port,
                               FetchRegistry& registry);

}  // namespace ow
