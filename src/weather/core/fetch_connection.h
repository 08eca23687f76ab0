#pragma once
// Opening the two handles of a download.
#include "weather/core/fetch_handles.h"
#include "weather/core/fetch_request.h"
#include "weather/core/internet_port.h"

namespace ow {

// Opens the Internet handle (directly or through the proxy, with the proxy
// credential set on it when asked for) and then the URL handle, storing each
// in `handles`. False when either could not be opened. The request has a URL.
bool OpenConnection(InternetPort& port, const FetchRequest& request, FetchHandles& handles);

}  // namespace ow
