#include "weather/core/source_urls.h"

#include <cstddef>

namespace ow {

namespace {
constexpr bool EveryTemplateHasOneSlot() {
    for (const SourceUrl& source : kSourceUrls) {
        const std::size_t slot = source.pathTemplate.find(kTownCodePlaceholder);
        if (slot == std::string_view::npos) return false;
        if (source.pathTemplate.find(kTownCodePlaceholder, slot + 1) != std::string_view::npos) return false;
    }
    return true;
}
static_assert(EveryTemplateHasOneSlot(), "each URL template holds exactly one town-code slot");
}  // namespace

std::optional<SourceUrl> SourceUrlFor(int sourceIndex) {
    if (sourceIndex < 0 || static_cast<std::size_t>(sourceIndex) >= kSourceUrls.size()) return std::nullopt;
    return kSourceUrls[static_cast<std::size_t>(sourceIndex)];
}

std::optional<std::string> BuildSourceUrl(int sourceIndex, std::string_view townCode) {
    const auto source = SourceUrlFor(sourceIndex);
    if (!source) return std::nullopt;
    const std::string_view path = source->pathTemplate;
    const std::size_t slot = path.find(kTownCodePlaceholder);
    std::string url;
    url.reserve(kUrlScheme.size() + source->host.size() + path.size() + townCode.size());
    url += kUrlScheme;
    url += source->host;
    url += path.substr(0, slot);
    url += townCode;
    url += path.substr(slot + kTownCodePlaceholder.size());
    return url;
}

}  // namespace ow
