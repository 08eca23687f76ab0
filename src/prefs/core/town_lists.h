#pragma once
// Town lists: one per source, each line a town name, "=" and the town code
// that goes into the source's URL. A missing list file is replaced by one
// built-in town.
#include <string>
#include <string_view>

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

// Reads a list file's bytes: every line (empty and duplicate ones too) is an
// entry of `lines`, and its name is appended to `names` in the same order.
void ReadTownList(std::string_view fileBytes, StringList& lines, StringList& names);
// Puts a source's built-in town ("name=code") into both lists.
void AddDefaultTown(std::string_view entry, StringList& lines, StringList& names);
// The code of entry `index`, or "" when the index is outside the list.
std::string TownCodeAt(const StringList& lines, int index);

}  // namespace ow
