#pragma once
// Civil dates for the generated forecasts. The documents are fixed per date,
// so the tests can assert exact lines.
#include <cstdint>
#include <optional>
#include <string_view>

namespace ow::sample {

struct CalendarDate {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// The date every document is generated for unless told otherwise.
inline constexpr CalendarDate kDefaultForecastDate{2026, 12, 8};

// "YYYY-MM-DD", years 1970..9999; none for anything else.
std::optional<CalendarDate> ParseIsoDate(std::string_view text);

// Days since 1970-01-01 and back.
std::int64_t DaySerial(CalendarDate date);
CalendarDate DateFromSerial(std::int64_t serial);

// 0 = Sunday .. 6 = Saturday.
int Weekday(CalendarDate date);

}  // namespace ow::sample
