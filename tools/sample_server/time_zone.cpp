#include "time_zone.h"

#include <cmath>

namespace ow::sample {
namespace {

struct Band {
    double westOf;  // the band ends at this longitude
    TimeZone zone;
};

// Russia and its neighbours, west to east.
constexpr Band kRussia[] = {
    {23, {"Europe/Kaliningrad", "EET", 2}},    {50, {"Europe/Moscow", "MSK", 3}},
    {55, {"Europe/Samara", "+04", 4}},         {68, {"Asia/Yekaterinburg", "+05", 5}},
    {77, {"Asia/Omsk", "+06", 6}},             {88, {"Asia/Novosibirsk", "+07", 7}},
    {100, {"Asia/Krasnoyarsk", "+07", 7}},     {113, {"Asia/Irkutsk", "+08", 8}},
    {130, {"Asia/Yakutsk", "+09", 9}},         {143, {"Asia/Vladivostok", "+10", 10}},
    {156, {"Asia/Magadan", "+11", 11}},        {181, {"Asia/Kamchatka", "+12", 12}},
};

constexpr Band kWesternEurope[] = {
    {2, {"Europe/London", "GMT", 0}},
    {19, {"Europe/Berlin", "CET", 1}},
};

// Zones without summer time, by offset from -12 to +12 hours.
constexpr TimeZone kByOffset[] = {
    {"Etc/GMT+12", "-12", -12},          {"Pacific/Pago_Pago", "SST", -11},  {"Pacific/Honolulu", "HST", -10},
    {"Pacific/Gambier", "-09", -9},      {"Pacific/Pitcairn", "-08", -8},    {"America/Phoenix", "MST", -7},
    {"America/Regina", "CST", -6},       {"America/Bogota", "-05", -5},      {"America/La_Paz", "-04", -4},
    {"America/Sao_Paulo", "-03", -3},    {"Atlantic/South_Georgia", "-02", -2}, {"Atlantic/Cape_Verde", "-01", -1},
    {"Africa/Abidjan", "GMT", 0},        {"Africa/Lagos", "WAT", 1},         {"Africa/Johannesburg", "SAST", 2},
    {"Africa/Nairobi", "EAT", 3},        {"Asia/Dubai", "+04", 4},           {"Asia/Karachi", "PKT", 5},
    {"Asia/Dhaka", "+06", 6},            {"Asia/Bangkok", "+07", 7},         {"Asia/Shanghai", "CST", 8},
    {"Asia/Tokyo", "JST", 9},            {"Australia/Brisbane", "AEST", 10}, {"Pacific/Guadalcanal", "+11", 11},
    {"Pacific/Fiji", "+12", 12},
};

template <std::size_t N>
const TimeZone* InBands(const Band (&bands)[N], double longitude) {
    for (const Band& band : bands)
        if (longitude < band.westOf) return &band.zone;
    return nullptr;
}

}  // namespace

TimeZone ZoneAt(double latitude, double longitude) {
    if (latitude >= 41 && longitude >= 19) return *InBands(kRussia, longitude);
    if (latitude >= 36 && longitude >= -10 && longitude < 19) return *InBands(kWesternEurope, longitude);
    const int offset = static_cast<int>(std::lround(longitude / 15));
    return kByOffset[offset + 12];
}

std::optional<TimeZone> ZoneNamed(std::string_view name) {
    if (name == "GMT" || name == "UTC") return kGmt;
    for (const Band& band : kRussia)
        if (band.zone.name == name) return band.zone;
    for (const Band& band : kWesternEurope)
        if (band.zone.name == name) return band.zone;
    for (const TimeZone& zone : kByOffset)
        if (zone.name == name) return zone;
    return std::nullopt;
}

}  // namespace ow::sample
