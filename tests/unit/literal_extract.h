#pragma once
// The weather-line extraction done the slow way, one text operation after
// another exactly as the steps are written (quadratic on documents with many tags).
// Kept as the reference the shipped single-pass extraction is compared with.
#include <string>
#include <string_view>

namespace ow::literal {

std::string ExtractGismeteoLine(std::string_view document);
std::string ExtractWundergroundLine(std::string_view document);
std::string ExtractWeatherLine(std::string_view document, int sourceIndex);

}  // namespace ow::literal
