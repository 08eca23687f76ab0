#pragma once
// Town lists: one per source, each line a town name, "=" and the town code
// that goes into the source's URL. A missing list file is replaced by one
// built-in town.
#include <array>
#include <string>
#include <string_view>

#include "common/cp1251.h"
#include "common/sources.h"
#include "prefs/core/settings_keys.h"
#include "prefs/core/text_lines.h"

namespace ow {

// One entry while a list is read: first the code, then the name.
struct TCity {
    std::string Code;
    std::string Name;
};

// Split at the first "=": the name before it, the code after it to the end of
// the line, untrimmed. A line without "=" is all name with an empty code, so
// it still shows in the town box and Test reports it as not in the list.
TCity SplitTownEntry(std::string_view line);

struct TownSource {
    std::string_view fileName;
    std::string_view defaultEntry;  // the list's only line when its file is missing
};

inline constexpr auto kGismeteoDefaultTown = Cp1251(u8"Иркутск=30710");

// Indexed by SourceIndex.
inline constexpr std::array<TownSource, kSourceCount> kTownSources = {{
    {"gis_towns.ini", kGismeteoDefaultTown.view()},
    {"wu_towns.ini", "Irkutsk=30710"},
}};

// Reads a list file's bytes: every line (empty and duplicate ones too) is an
// entry of `lines`, and its name is appended to `names` in the same order.
void ReadTownList(std::string_view fileBytes, StringList& lines, StringList& names);
// Puts the built-in town of `source` (0..kSourceCount-1) into both lists.
void AddDefaultTown(int source, StringList& lines, StringList& names);
// The code of entry `index`, or "" when the index is outside the list.
std::string TownCodeAt(const StringList& lines, int index);

}  // namespace ow
