#pragma once
// Puts a weather document into a response the way the current behaviour says.
// Refusal is the connection's business and is handled before this; the modes
// that replace a document, or act on the TLS handshake, send it as it is.
#include <httplib.h>

#include "behaviour.h"
#include "stop_signal.h"
#include "weather_document.h"

namespace ow::sample {

// Blocks for the slow-start interval, if any, so the headers leave late.
void FillDocumentResponse(WeatherDocument document, const Behaviour& behaviour, const StopSignal& stop,
                          httplib::Response& response);

// The blank body: spaces, CR LF and tabs only.
std::string BlankBody();

}  // namespace ow::sample
