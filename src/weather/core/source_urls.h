#pragma once
// Where the Gismeteo informer and the Weather Underground feed live. The only
// place that names their servers and the paths of their documents.
#include <array>
#include <optional>
#include <string>
#include <string_view>


namespace ow {

struct SourceUrl {
    std::string_view host;          // plain HTTP, default port
    std::string_view pathTemplate;  // exactly one "%s", replaced by the town code
};

inline constexpr std::string_view kUrlScheme = "http://";
inline constexpr std::string_view kTownCodePlaceholder = "%s";

// Indexed by SourceIndex: 0 Gismeteo informer, 1 Weather Underground feed.
// The paths are sent with exactly this case.
inline constexpr std::array<SourceUrl, 2> kSourceUrls{{
    {"informer.gismeteo.ru", "/text/%s-2.JS"},
    {"ru.wunderground.com", "/auto/rss_full/global/stations/%s.xml"},
}};

// The row for a source index; none for an index outside the table.
std::optional<SourceUrl> SourceUrlFor(int sourceIndex);

// The document URL for a town: the town code goes in unchanged (no escaping,
// no trimming). None for an index outside the table.
std::optional<std::string> BuildSourceUrl(int sourceIndex, std::string_view townCode);

}  // namespace ow
