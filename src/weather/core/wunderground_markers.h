#pragma once
// The texts the Weather Underground feed extraction searches for and puts in.
#include <string_view>

namespace ow::wunderground {

// Line breaks and tabs are dropped, not turned into spaces.
inline constexpr char kDroppedBytes[] = {'\t', '\n', '\r'};

inline constexpr std::string_view kTitleStart = "Weather Underground -";
inline constexpr std::string_view kTitleEnd = "</title>";
inline constexpr std::string_view kDateStart = "<pubDate>";
inline constexpr std::string_view kDateEnd = "</pubDate>";
inline constexpr std::string_view kDescriptionEnd = "</description>";
inline constexpr std::string_view kDescriptionStart = "<description>";
inline constexpr std::string_view kDescriptionCut = "| Updated";

// Between the date, the title and the description in the line.
inline constexpr std::string_view kPieceSeparator = ". ";

}  // namespace ow::wunderground
