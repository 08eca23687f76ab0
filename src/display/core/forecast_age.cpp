#include "display/core/forecast_age.h"

#include <array>

#include "common/cp1251.h"

namespace ow {

namespace {

constexpr auto kUnderAMinute = Cp1251(u8"меньше минуты назад");
constexpr auto kAgo = Cp1251(u8" назад");

using Word = Cp1251Text<8>;
using Forms = std::array<Word, 3>;  // by PluralForm, in the accusative "N ... назад" needs
constexpr Forms kMinutes{Cp1251In<8>(u8"минуту"), Cp1251In<8>(u8"минуты"), Cp1251In<8>(u8"минут")};
constexpr Forms kHours{Cp1251In<8>(u8"час"), Cp1251In<8>(u8"часа"), Cp1251In<8>(u8"часов")};

std::string CountAgo(int count, const Forms& forms) {
    const Word& word = forms[static_cast<std::size_t>(RussianPluralForm(count))];
    return std::to_string(count) + " " + word.str() + kAgo.str();
}

}  // namespace

PluralForm RussianPluralForm(int count) {
    const int lastTwo = count % 100;
    const int last = count % 10;
    if (lastTwo >= 11 && lastTwo <= 14) return PluralForm::Many;
    if (last == 1) return PluralForm::One;
    if (last >= 2 && last <= 4) return PluralForm::Few;
    return PluralForm::Many;
}

std::optional<std::string> AgeText(std::int64_t ageSeconds) {
    if (ageSeconds < 0 || ageSeconds >= kKeptForecastLifetimeSeconds) return std::nullopt;
    const int seconds = static_cast<int>(ageSeconds);  // under a day from here on
    if (seconds < kSecondsPerMinute) return kUnderAMinute.str();
    if (seconds < kSecondsPerHour) return CountAgo(seconds / kSecondsPerMinute, kMinutes);
    return CountAgo(seconds / kSecondsPerHour, kHours);
}

}  // namespace ow
