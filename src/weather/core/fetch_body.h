#pragma once
// Reading the document of one download.
#include <string>

#include "weather/core/fetch_handles.h"
#include "weather/core/internet_port.h"

namespace ow {

// Appends the document behind the download's URL handle to `body`, piece by
// piece and unchanged, letting the thread's messages run between pieces. Each
// read asks for what the last query reported, at most kReadSize bytes: what
// has arrived, so the read returns at once and a trickling server still sees
// one read per piece. Stops at the end of the data, when a query or read fails
// or a read brings nothing, or as soon as the download is cancelled.
void ReadBody(InternetPort& port, const FetchHandles& handles, std::string& body);

}  // namespace ow
