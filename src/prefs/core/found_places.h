#pragma once
// Found places in a source's town list: their lines, and the file that keeps
// them apart from the shipped list.
#include <string>
#include <string_view>

#include "common/found_place.h"
#include "prefs/core/text_lines.h"

namespace ow {

// "name=code", the name followed by its region in brackets when it has one
// other than itself, so that namesakes differ in the town box.
std::string FoundPlaceEntry(const FoundPlace& place);

// A row of the search's list: "name, region, country (55.7522, 37.6156)",
// leaving out an empty region or country.
std::string PlaceRowText(const FoundPlace& place);

// The first entry of `lines` whose code names the same place as `code` (the
// same coordinates to 4 decimals), or kNoItem.
int FindPlaceEntry(const StringList& lines, std::string_view code);

// The file's bytes with `entry` as a new last line, every line it had kept
// as it was.
std::string WithEntryAdded(std::string_view fileBytes, std::string_view entry);

}  // namespace ow
