#include "prefs/core/town_lists.h"

namespace ow {
namespace {

void AddEntry(std::string line, StringList& lines, StringList& names) {
    TCity city = SplitTownEntry(line);
    names.push_back(std::move(city.Name));
    lines.push_back(std::move(line));
}

}  // namespace

TCity SplitTownEntry(std::string_view line) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {std::string(), std::string(line)};
    return {std::string(line.substr(eq + 1)), std::string(line.substr(0, eq))};
}

void ReadTownList(std::string_view fileBytes, StringList& lines, StringList& names) {
    for (std::string& line : SplitLines(fileBytes)) AddEntry(std::move(line), lines, names);
}

void AddDefaultTown(std::string_view entry, StringList& lines, StringList& names) {
    AddEntry(std::string(entry), lines, names);
}

std::string TownCodeAt(const StringList& lines, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= lines.size()) return {};
    return SplitTownEntry(lines[static_cast<std::size_t>(index)]).Code;
}

}  // namespace ow
