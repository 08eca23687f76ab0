#include "weather/core/fetch_classification.h"

#include <algorithm>

#include "common/text_ops.h"

namespace ow {

BodyKind ClassifyBody(std::string_view body) {
    if (Trim(body).empty()) return BodyKind::Blank;
    const bool refused = std::any_of(kProxyAuthFailureMarkers.begin(), kProxyAuthFailureMarkers.end(),
                                     [body](std::string_view marker) { return body.find(marker) != body.npos; });
    return refused ? BodyKind::ProxyAuthFailure : BodyKind::Document;
}

}  // namespace ow
