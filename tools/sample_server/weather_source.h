#pragma once
// The two weather sources this server stands in for. Their host names and
// document paths come from the plug-in's own table, so the two never disagree.
#include <optional>
#include <string>
#include <string_view>

#include "weather/core/source_urls.h"

namespace ow::sample {

enum class Source { Informer = 0, Feed = 1 };
inline constexpr int kSourceCount = 2;

std::string_view HostOf(Source source);

// The source served by a host name (compared without regard to case).
std::optional<Source> SourceOfHost(std::string_view host);

struct DocumentRequest {
    Source source;
    std::string townCode;  // as it appears in the path, undecoded
};

// Which document a path (without query) asks for; none for any other path.
std::optional<DocumentRequest> MatchDocumentPath(std::string_view path);

}  // namespace ow::sample
