#pragma once
// The Weather Underground station feed: RSS 2.0 whose channel title names the
// town after "Weather Underground -", with a channel description followed by
// one item of current conditions and one item per forecast day. English text.
#include <string_view>

#include "document_parts.h"
#include "forecast_model.h"

namespace ow::sample {

DocumentParts BuildFeedDocument(std::string_view townName, std::string_view townCode,
                                const Forecast& forecast);

}  // namespace ow::sample
