#include "weather_source.h"

#include <cstddef>

#include "http_text.h"

namespace ow::sample {
namespace {

const SourceUrl& UrlOf(Source source) { return kSourceUrls[static_cast<std::size_t>(source)]; }

}  // namespace

std::string_view HostOf(Source source) { return UrlOf(source).host; }

std::optional<Source> SourceOfHost(std::string_view host) {
    for (int i = 0; i < kSourceCount; ++i) {
        const auto source = static_cast<Source>(i);
        if (EqualIgnoringCase(host, HostOf(source))) return source;
    }
    return std::nullopt;
}

std::optional<DocumentRequest> MatchDocumentPath(std::string_view path) {
    for (int i = 0; i < kSourceCount; ++i) {
        const auto source = static_cast<Source>(i);
        const std::string_view pattern = UrlOf(source).pathTemplate;
        const auto hole = pattern.find(kTownCodePlaceholder);
        const std::string_view prefix = pattern.substr(0, hole);
        const std::string_view suffix = pattern.substr(hole + kTownCodePlaceholder.size());
        if (path.size() <= prefix.size() + suffix.size()) continue;
        if (!path.starts_with(prefix) || !path.ends_with(suffix)) continue;
        const std::string_view code = path.substr(prefix.size(), path.size() - prefix.size() - suffix.size());
        if (code.find('/') != std::string_view::npos) continue;
        return DocumentRequest{source, std::string(code)};
    }
    return std::nullopt;
}

}  // namespace ow::sample
