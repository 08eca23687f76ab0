#pragma once
// Texts the status-bar display writes, as code page 1251 bytes.
#include <string>
#include <string_view>

#include "common/cp1251.h"

namespace ow {

inline constexpr auto kWeatherPrefix = Cp1251(u8"ПОГОДА: ");
inline constexpr auto kPluginEnabledText = Cp1251(u8"Плагин погоды включен");
inline constexpr auto kPluginDisabledText = Cp1251(u8"Плагин погоды выключен");

// "ПОГОДА: " + text, as eTest shows it (the prefix even for an empty text).
std::string WithWeatherPrefix(std::string_view text);

// What goes into the status bar: an empty text clears the section, anything
// else gets the prefix.
std::string StatusBarMessage(std::string_view text);

}  // namespace ow
