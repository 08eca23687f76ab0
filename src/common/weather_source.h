#pragma once
// A weather source: everything the plug-in's parts need to know of it, in
// one row. The table of rows lives with the download (weather/core), which
// knows the servers; the settings and the preferences window get it handed
// down. SourceIndex is a row's index.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ow {

struct WeatherSource {
    std::string_view name;          // its item in the preferences' source box
    std::string_view townListFile;  // its town list, in the plugins folder
    std::string_view defaultTown;   // "name=code": the list's only line when its file is missing
    // Places the user found, kept apart from the shipped list (which a
    // reinstall overwrites) and shown after it; empty: the source has no
    // place search.
    std::string_view foundPlacesFile;
    // The document's address for a town code; none when the code names no
    // place, and then nothing is requested and `badTownText` is the line.
    std::optional<std::string> (*url)(std::string_view townCode);
    std::string_view badTownText;
    std::uint32_t requestFlags;  // InternetOpenUrlA's flags
    // The weather line of a downloaded document; `townName` is the selected
    // town's name from the list.
    std::string (*extract)(std::string_view document, std::string_view townName);
    // Whether an extracted line tells the weather, not the source's no-data
    // or error line: only such a line is kept as the last good forecast.
    bool (*isForecast)(std::string_view line);
};

using WeatherSources = std::span<const WeatherSource>;

// A stored or selected source that names none of the sources is source 0.
constexpr int SourceIndexFrom(int index, WeatherSources sources) {
    return (index >= 0 && static_cast<std::size_t>(index) < sources.size()) ? index : 0;
}

}  // namespace ow
