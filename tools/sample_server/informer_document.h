#pragma once
// The Gismeteo text informer: a script whose document.write call carries an
// HTML fragment of font and b elements, in code page 1251.
#include <string_view>

#include "document_parts.h"
#include "forecast_model.h"

namespace ow::sample {

// townName is in code page 1251, as the town list holds it.
DocumentParts BuildInformerDocument(std::string_view townName, std::string_view townCode,
                                    const Forecast& forecast);

}  // namespace ow::sample
