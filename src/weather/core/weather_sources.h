#pragma once
// The weather sources the plug-in knows, by SourceIndex. Adding one is a
// file of its own (its address and its extraction) and a row here.
#include "common/weather_source.h"

namespace ow {

// Values of the source index.
inline constexpr int kGismeteoSource = 0;
inline constexpr int kWundergroundSource = 1;

// The rows, in the order of the preferences' source box.
WeatherSources TheWeatherSources();

}  // namespace ow
