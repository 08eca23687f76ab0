#pragma once
// The texts the Open-Meteo weather line is made of, as code page 1251 bytes:
//   <town>. Сейчас -3°, снег, ветер ЮЗ 3 м/с, 746 мм рт. ст., влажность 87%.
//   Завтра -8..-3°, пасмурно.
#include <string_view>

#include "common/cp1251.h"

namespace ow::open_meteo {

inline constexpr auto kNowOpening = Cp1251(u8". Сейчас ");
inline constexpr auto kTomorrowOpening = Cp1251(u8" Завтра ");
inline constexpr std::string_view kPartSeparator = ", ";
inline constexpr char kSentenceEnd = '.';
inline constexpr std::string_view kRangeSeparator = "..";

inline constexpr auto kWindOpening = Cp1251(u8"ветер ");
inline constexpr std::string_view kWordSpace = " ";  // between direction and speed
inline constexpr auto kWindUnit = Cp1251(u8" м/с");
inline constexpr auto kCalm = Cp1251(u8"штиль");
inline constexpr auto kPressureUnit = Cp1251(u8" мм рт. ст.");
inline constexpr auto kHumidityOpening = Cp1251(u8"влажность ");
inline constexpr std::string_view kHumidityUnit = "%";

inline constexpr auto kNoWeatherData = Cp1251(u8"Нет данных о погоде");
inline constexpr std::string_view kErrorOpening = "Open-Meteo: ";
// Shown for each byte of an error's reason outside printable ASCII.
inline constexpr char kUnshownByte = '?';

}  // namespace ow::open_meteo
