#pragma once
// How old a kept forecast is, in the words the status bar uses after
// "последний прогноз ": "меньше минуты назад", "21 минуту назад",
// "2 часа назад", "11 часов назад".
#include <cstdint>
#include <optional>
#include <string>

namespace ow {

inline constexpr int kSecondsPerMinute = 60;
inline constexpr int kSecondsPerHour = 60 * kSecondsPerMinute;
// A forecast a day old or older tells nothing about today.
inline constexpr int kKeptForecastLifetimeSeconds = 24 * kSecondsPerHour;

// Russian plural of a count: the form for 1, 21, 101 ("минуту", "час"), for
// 2 to 4, 22 to 24 ("минуты", "часа"), or for the rest, 11 to 14 among them
// ("минут", "часов").
enum class PluralForm { One, Few, Many };
PluralForm RussianPluralForm(int count);

// Under a minute, whole minutes under an hour, whole hours under a day. None
// for an age below zero (a clock set back) or of a day and more: such a
// forecast is stale.
std::optional<std::string> AgeText(std::int64_t ageSeconds);

}  // namespace ow
