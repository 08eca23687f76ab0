#include "open_meteo_document.h"

#include <cmath>
#include <cstdio>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace ow::sample {
namespace {

using JsonWriter = rapidjson::Writer<rapidjson::StringBuffer>;

// The API reports "now" in 15-minute steps of local time; the stand-in's
// clock always reads early afternoon.
constexpr const char* kLocalTimeOfDay = "T14:00";
constexpr int kCurrentInterval = 900;

std::string IsoDate(CalendarDate date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

void Text(JsonWriter& writer, std::string_view text) {
    writer.String(text.data(), static_cast<rapidjson::SizeType>(text.size()));
}

void Key(JsonWriter& writer, std::string_view key) {
    writer.Key(key.data(), static_cast<rapidjson::SizeType>(key.size()));
}

void Tenths(JsonWriter& writer, int tenths) { writer.Double(tenths / 10.0); }

void CurrentValue(JsonWriter& writer, CurrentField field, const OpenMeteoNow& now, const WindUnit& windUnit) {
    switch (field) {
        case CurrentField::Temperature: return Tenths(writer, now.temperatureTenths);
        case CurrentField::Humidity: writer.Int(now.humidityPercent); return;
        case CurrentField::WeatherCode: writer.Int(now.weatherCode); return;
        case CurrentField::SurfacePressure: return Tenths(writer, now.surfacePressureTenths);
        case CurrentField::WindSpeed:
            return Tenths(writer, static_cast<int>(std::lround(now.windSpeedTenths * windUnit.perMetrePerSecond)));
        case CurrentField::WindDirection: writer.Int(now.windDirectionDegrees); return;
    }
}

void DailyValue(JsonWriter& writer, DailyField field, const OpenMeteoDay& day) {
    switch (field) {
        case DailyField::WeatherCode: writer.Int(day.weatherCode); return;
        case DailyField::TemperatureMax: return Tenths(writer, day.maxTenths);
        case DailyField::TemperatureMin: return Tenths(writer, day.minTenths);
    }
}

void WriteCurrent(JsonWriter& writer, const OpenMeteoQuery& query, const OpenMeteoNow& now, CalendarDate today) {
    Key(writer, "current_units");
    writer.StartObject();
    Key(writer, "time");
    Text(writer, "iso8601");
    Key(writer, "interval");
    Text(writer, "seconds");
    for (CurrentField field : query.current) {
        Key(writer, NameOf(field));
        Text(writer, UnitOf(field, query.windUnit));
    }
    writer.EndObject();

    Key(writer, "current");
    writer.StartObject();
    Key(writer, "time");
    Text(writer, IsoDate(today) + kLocalTimeOfDay);
    Key(writer, "interval");
    writer.Int(kCurrentInterval);
    for (CurrentField field : query.current) {
        Key(writer, NameOf(field));
        CurrentValue(writer, field, now, query.windUnit);
    }
    writer.EndObject();
}

void WriteDaily(JsonWriter& writer, const OpenMeteoQuery& query, const OpenMeteoForecast& forecast) {
    Key(writer, "daily_units");
    writer.StartObject();
    Key(writer, "time");
    Text(writer, "iso8601");
    for (DailyField field : query.daily) {
        Key(writer, NameOf(field));
        Text(writer, UnitOf(field));
    }
    writer.EndObject();

    Key(writer, "daily");
    writer.StartObject();
    Key(writer, "time");
    writer.StartArray();
    for (const OpenMeteoDay& day : forecast.days) Text(writer, IsoDate(day.date));
    writer.EndArray();
    for (DailyField field : query.daily) {
        Key(writer, NameOf(field));
        writer.StartArray();
        for (const OpenMeteoDay& day : forecast.days) DailyValue(writer, field, day);
        writer.EndArray();
    }
    writer.EndObject();
}

// What the API's own timer would say; a float's digits, as the API prints them.
double GenerationTime(const GridPoint& point, CalendarDate today) {
    const auto spread = (point.seed ^ static_cast<std::uint64_t>(DaySerial(today))) % 60000;
    return static_cast<double>(static_cast<float>(0.02 + static_cast<double>(spread) / 1e6));
}

}  // namespace

DocumentParts BuildOpenMeteoDocument(const OpenMeteoQuery& query, const GridPoint& point,
                                     const OpenMeteoForecast& forecast, CalendarDate today) {
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    writer.StartObject();
    Key(writer, "latitude");
    writer.Double(point.latitude);
    Key(writer, "longitude");
    writer.Double(point.longitude);
    Key(writer, "generationtime_ms");
    writer.Double(GenerationTime(point, today));
    Key(writer, "utc_offset_seconds");
    writer.Int(query.zone.utcOffsetHours * 3600);
    Key(writer, "timezone");
    Text(writer, query.zone.name);
    Key(writer, "timezone_abbreviation");
    Text(writer, query.zone.abbreviation);
    Key(writer, "elevation");
    writer.Double(point.elevationMetres);
    if (!query.current.empty()) WriteCurrent(writer, query, forecast.now, today);
    if (!query.daily.empty()) WriteDaily(writer, query, forecast);
    writer.EndObject();

    return PaddedJsonObject(std::string_view(buffer.GetString(), buffer.GetSize()),
                            ",\"hourly_units\":{\"temperature_2m\":\"°C\"},\"hourly\":{\"temperature_2m\":[",
                            "-5.1,-5.4,-5.8,-6.0,", "-6.2]}");
}

std::string BuildOpenMeteoError(std::string_view reason) {
    rapidjson::StringBuffer buffer;
    JsonWriter writer(buffer);
    writer.StartObject();
    Key(writer, "error");
    writer.Bool(true);
    Key(writer, "reason");
    Text(writer, reason);
    writer.EndObject();
    return std::string(buffer.GetString(), buffer.GetSize());
}

}  // namespace ow::sample
