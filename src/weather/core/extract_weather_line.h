#pragma once
#include <string>
#include <string_view>

namespace ow {

// Values of the source index.
inline constexpr int kGismeteoSource = 0;
inline constexpr int kWundergroundSource = 1;

// Reduces a downloaded document to the one line of weather text for the given
// source. An empty document or an unknown source gives an empty line.
std::string ExtractWeatherLine(std::string_view document, int sourceIndex);

}  // namespace ow
