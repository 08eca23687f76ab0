#include "weather/core/place_search.h"

#include "weather/core/fetch_body.h"
#include "weather/core/fetch_classification.h"
#include "weather/core/fetch_connection.h"
#include "weather/core/fetch_request.h"
#include "weather/core/fetch_texts.h"
#include "weather/core/open_meteo_request.h"
#include "weather/core/open_meteo_texts.h"
#include "weather/core/place_answer.h"
#include "weather/core/place_search_request.h"

namespace ow {

namespace {

PlaceSearchResult Told(std::string_view text) { return PlaceSearchResult{{}, std::string(text), false}; }

PlaceSearchResult Cancelled() { return PlaceSearchResult{{}, kConnectionErrorText.str(), true}; }

PlaceSearchResult FromAnswer(std::string_view body) {
    switch (ClassifyBody(body)) {
        case BodyKind::Blank: return Told(kConnectionErrorText);
        case BodyKind::ProxyAuthFailure: return Told(kProxyAuthFailedText);
        case BodyKind::Document: break;
    }
    auto answer = ReadPlaceAnswer(body);
    if (!answer) return Told(kConnectionErrorText);
    if (answer->error) {
        std::string text(open_meteo::kErrorOpening);
        if (answer->reason) text.append(*answer->reason);
        return Told(text);
    }
    if (answer->places.empty()) return Told(kNothingFoundText);
    return PlaceSearchResult{std::move(answer->places), {}, false};
}

}  // namespace

PlaceSearchResult SearchPlaces(std::string_view cp1251Name, const WorkingValues& values, InternetPort& port,
                               FetchRegistry& registry) {
    const auto name = PlaceQueryName(cp1251Name);
    if (!name) return Told(kPlaceNameTooShortText);
    const FetchRequest request = BuildUrlRequest(values, BuildPlaceSearchUrl(*name), kOpenMeteoRequestFlags);

    std::string body;
    {
        FetchHandles handles(port, registry);
        const Connection connection = OpenConnection(port, request, handles);
        if (handles.Cancelled()) return Cancelled();
        if (connection == Connection::Failed) return Told(kConnectionErrorText);
        if (connection == Connection::ProxyRefused) return Told(kProxyAuthFailedText);
        const bool whole = ReadBody(port, handles, body, kMaxPlaceAnswerBytes);
        if (handles.Cancelled()) return Cancelled();
        if (!whole) return Told(kConnectionErrorText);
    }  // the handles are closed before the answer is read
    return FromAnswer(body);
}

}  // namespace ow
