#include "place_search_endpoint.h"

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <string>

#include "document_response.h"
#include "open_meteo_document.h"
#include "pages.h"
#include "place_gazetteer.h"

namespace ow::sample {
namespace {

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

constexpr std::size_t kDefaultCount = 10;
constexpr long kMostCount = 100;
constexpr std::string_view kCountReason = "Parameter count must be between 1 and 100.";
constexpr std::string_view kFormatReason = "Parameter format must be json or protobuf.";
constexpr std::string_view kApiErrorReason = "Geocoding search is temporarily unavailable";
// The service's own timing member, fixed so that answers repeat.
constexpr double kGenerationMs = 0.8;

void Text(JsonWriter& writer, std::string_view text) {
    writer.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
}

void Member(JsonWriter& writer, std::string_view key, std::string_view text) {
    Text(writer, key);
    Text(writer, text);
}

void Member(JsonWriter& writer, std::string_view key, int number) {
    Text(writer, key);
    writer.Int(number);
}

void Member(JsonWriter& writer, std::string_view key, double number) {
    Text(writer, key);
    writer.Double(number);
}

void WritePlace(JsonWriter& writer, const Place& place, bool russian) {
    writer.StartObject();
    Member(writer, "id", place.id);
    Member(writer, "name", russian ? place.nameRu : place.nameEn);
    Member(writer, "latitude", place.latitude);
    Member(writer, "longitude", place.longitude);
    Member(writer, "elevation", place.elevation);
    Member(writer, "feature_code", place.featureCode);
    Member(writer, "country_code", place.countryCode);
    Member(writer, "timezone", place.timezone);
    Member(writer, "population", place.population);
    Member(writer, "country", russian ? place.countryRu : place.countryEn);
    const std::string_view admin1 = russian ? place.admin1Ru : place.admin1En;
    if (!admin1.empty()) Member(writer, "admin1", admin1);
    writer.EndObject();
}

DocumentParts Document(const std::vector<const Place*>& places, bool russian) {
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    writer.StartObject();
    if (!places.empty()) {
        Text(writer, "results");
        writer.StartArray();
        for (const Place* place : places) WritePlace(writer, *place, russian);
        writer.EndArray();
    }
    Member(writer, "generationtime_ms", kGenerationMs);
    writer.EndObject();
    return PaddedJsonObject(std::string_view(buffer.GetString(), buffer.GetSize()), ",\"padding\":[", "0,", "0]");
}

void AnswerError(std::string_view reason, httplib::Response& response) {
    response.status = 400;
    response.set_content(BuildOpenMeteoError(reason), std::string(kJsonContentType));
}

// The count asked for; none when it is no number within 1..100.
std::optional<std::size_t> Count(const httplib::Request& request) {
    if (!request.has_param("count")) return kDefaultCount;
    const std::string text = request.get_param_value("count");
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const long count = std::stol(text);
    if (count < 1 || count > kMostCount) return std::nullopt;
    return static_cast<std::size_t>(count);
}

}  // namespace

void AnswerPlaceSearchRequest(const httplib::Request& request, httplib::Response& response,
                              const Behaviour& behaviour, const StopSignal& stop) {
    const auto count = Count(request);
    if (!count) return AnswerError(kCountReason, response);
    if (request.has_param("format") && request.get_param_value("format") != "json")
        return AnswerError(kFormatReason, response);
    if (behaviour.mode == Mode::ApiError) return AnswerError(kApiErrorReason, response);
    if (behaviour.mode == Mode::NotJson)
        return response.set_content(std::string(kMaintenancePage), std::string(kHtmlContentType));
    const bool russian = request.get_param_value("language") == "ru";
    FillDocumentResponse({Document(FindPlaces(request.get_param_value("name"), *count), russian), kJsonContentType},
                         behaviour, stop, response);
}

}  // namespace ow::sample
