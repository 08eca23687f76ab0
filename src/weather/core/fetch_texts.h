#pragma once
// The fixed texts a download leaves in place of a weather line.
#include <string_view>

#include "common/cp1251.h"

namespace ow {

// Held by CachedWeatherLine while a download runs.
inline constexpr std::string_view kFetchInProgressText = "error";
// No connection, no document, or a blank one.
inline constexpr auto kConnectionErrorText = Cp1251(u8"Ошибка соединения");
// The document looks like an authorisation refusal.
inline constexpr std::string_view kProxyAuthFailedText = "Proxy authorization failed!";

}  // namespace ow
