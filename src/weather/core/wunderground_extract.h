#pragma once
#include <string>
#include <string_view>

namespace ow {

// The weather line of a Weather Underground station feed: the first
// publication date, ". ", the station title after "Weather Underground -",
// ". ", and the second description up to "| Updated", each piece trimmed and
// possibly empty. Tabs and line breaks are dropped and "&#176;" becomes the
// degree sign (byte 0xB0) before the pieces are looked for. Never fails.
// Linear in the document's length; two buffer allocations whatever it holds.
std::string ExtractWundergroundLine(std::string_view document);

}  // namespace ow
