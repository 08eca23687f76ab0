#include "open_meteo_fields.h"

namespace ow::sample {
namespace {

template <class Field>
struct FieldEntry {
    Field field;
    std::string_view name;
    std::string_view unit;  // empty: the wind unit asked for
};

constexpr FieldEntry<CurrentField> kCurrentFields[] = {
    {CurrentField::Temperature, "temperature_2m", "°C"},
    {CurrentField::Humidity, "relative_humidity_2m", "%"},
    {CurrentField::WeatherCode, "weather_code", "wmo code"},
    {CurrentField::SurfacePressure, "surface_pressure", "hPa"},
    {CurrentField::WindSpeed, "wind_speed_10m", ""},
    {CurrentField::WindDirection, "wind_direction_10m", "°"},
};

constexpr FieldEntry<DailyField> kDailyFields[] = {
    {DailyField::WeatherCode, "weather_code", "wmo code"},
    {DailyField::TemperatureMax, "temperature_2m_max", "°C"},
    {DailyField::TemperatureMin, "temperature_2m_min", "°C"},
};

constexpr WindUnit kWindUnits[] = {
    kDefaultWindUnit, {"ms", "m/s", 1.0}, {"mph", "mp/h", 2.23694}, {"kn", "kn", 1.94384}};

template <class Field, std::size_t N>
std::optional<Field> FieldNamed(const FieldEntry<Field> (&table)[N], std::string_view name) {
    for (const auto& entry : table)
        if (entry.name == name) return entry.field;
    return std::nullopt;
}

template <class Field, std::size_t N>
const FieldEntry<Field>& EntryOf(const FieldEntry<Field> (&table)[N], Field field) {
    return table[static_cast<std::size_t>(field)];  // the tables follow the enums' order
}

}  // namespace

std::optional<CurrentField> ParseCurrentField(std::string_view name) { return FieldNamed(kCurrentFields, name); }
std::optional<DailyField> ParseDailyField(std::string_view name) { return FieldNamed(kDailyFields, name); }

std::optional<WindUnit> ParseWindUnit(std::string_view parameter) {
    for (const WindUnit& unit : kWindUnits)
        if (unit.parameter == parameter) return unit;
    return std::nullopt;
}

std::string_view NameOf(CurrentField field) { return EntryOf(kCurrentFields, field).name; }
std::string_view NameOf(DailyField field) { return EntryOf(kDailyFields, field).name; }

std::string_view UnitOf(CurrentField field, const WindUnit& windUnit) {
    const std::string_view unit = EntryOf(kCurrentFields, field).unit;
    return unit.empty() ? windUnit.label : unit;
}

std::string_view UnitOf(DailyField field) { return EntryOf(kDailyFields, field).unit; }

}  // namespace ow::sample
