#include "open_meteo_query.h"

#include <charconv>
#include <cmath>

namespace ow::sample {
namespace {

using Params = std::multimap<std::string, std::string>;

struct Coordinate {
    const char* key;   // latitude, longitude
    const char* name;  // as the reason spells it
    double limit;
};

constexpr Coordinate kLatitude{"latitude", "Latitude", 90};
constexpr Coordinate kLongitude{"longitude", "Longitude", 180};

std::optional<std::string> First(const Params& params, const std::string& key) {
    const auto found = params.find(key);
    if (found == params.end()) return std::nullopt;
    return found->second;
}

std::optional<double> ReadCoordinate(const Params& params, const Coordinate& coordinate, std::string* reason) {
    const auto text = First(params, coordinate.key);
    if (!text) {
        *reason = std::string("Value of type 'Float' required for key '") + coordinate.key + "'.";
        return std::nullopt;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (text->empty() || ec != std::errc{} || end != text->data() + text->size() || !std::isfinite(value)) {
        *reason = "Cannot initialize Float from invalid String value " + *text + " for key " + coordinate.key;
        return std::nullopt;
    }
    if (value < -coordinate.limit || value > coordinate.limit) {
        const std::string limit = std::to_string(static_cast<int>(coordinate.limit));
        *reason = std::string(coordinate.name) + " must be in range of -" + limit + " to " + limit +
                  "°. Given: " + ApiNumberText(value) + ".";
        return std::nullopt;
    }
    return value;
}

// Every name in every value of key, comma-separated, in order; false at the
// first name parse does not know.
template <class Field, class Parse>
bool ReadFields(const Params& params, const std::string& key, std::string_view variableType, Parse parse,
                std::vector<Field>* fields, std::string* reason) {
    const auto [begin, end] = params.equal_range(key);
    for (auto it = begin; it != end; ++it) {
        std::string_view list = it->second;
        while (!list.empty()) {
            const auto comma = list.find(',');
            const std::string_view name = list.substr(0, comma);
            list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
            const auto field = parse(name);
            if (!field) {
                *reason = "Cannot initialize " + std::string(variableType) + " from invalid String value " +
                          std::string(name) + " for key " + key;
                return false;
            }
            fields->push_back(*field);
        }
    }
    return true;
}

}  // namespace

std::string ApiNumberText(double value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, static_cast<float>(value));
    std::string out(text, result.ptr);
    if (out.find_first_of(".e") == std::string::npos) out += ".0";
    return out;
}

std::optional<OpenMeteoQuery> ParseOpenMeteoQuery(const Params& params, std::string* reason) {
    OpenMeteoQuery query;
    const auto latitude = ReadCoordinate(params, kLatitude, reason);
    if (!latitude) return std::nullopt;
    const auto longitude = ReadCoordinate(params, kLongitude, reason);
    if (!longitude) return std::nullopt;
    query.latitude = *latitude;
    query.longitude = *longitude;

    if (!ReadFields(params, "current", "ForecastVariable", ParseCurrentField, &query.current, reason) ||
        !ReadFields(params, "daily", "ForecastVariableDaily", ParseDailyField, &query.daily, reason))
        return std::nullopt;

    if (const auto unit = First(params, "wind_speed_unit")) {
        const auto parsed = ParseWindUnit(*unit);
        if (!parsed) {
            *reason = "Cannot initialize WindspeedUnit from invalid String value " + *unit + " for key wind_speed_unit";
            return std::nullopt;
        }
        query.windUnit = *parsed;
    }

    if (const auto zone = First(params, "timezone")) {
        const auto named = *zone == "auto" ? ZoneAt(query.latitude, query.longitude) : ZoneNamed(*zone);
        if (!named) {
            *reason = "Invalid timezone";
            return std::nullopt;
        }
        query.zone = *named;
    }

    if (const auto days = First(params, "forecast_days")) {
        int value = -1;
        const auto [end, ec] = std::from_chars(days->data(), days->data() + days->size(), value);
        if (ec != std::errc{} || end != days->data() + days->size() || value < 0 || value > kMaxForecastDays) {
            *reason = "Forecast days is invalid. Allowed range 0 to " + std::to_string(kMaxForecastDays) + ".";
            return std::nullopt;
        }
        query.forecastDays = value;
    }
    return query;
}

}  // namespace ow::sample
