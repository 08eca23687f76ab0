#pragma once
// Opening the handles of a download.
#include "weather/core/fetch_handles.h"
#include "weather/core/fetch_request.h"
#include "weather/core/internet_port.h"

namespace ow {

enum class Connection {
    Failed,        // a handle could not be opened, or the request not sent
    Opened,        // the document can be read from handles.Url()
    ProxyRefused,  // the proxy kept refusing an HTTPS tunnel with 407
};

// Opens the Internet handle (directly or through the proxy, with the proxy
// credential set on it when asked for) and then the handle the document is
// read from, storing each in `handles`: the URL handle for plain HTTP; for
// HTTPS a connection and a request handle, the request sent again when the
// proxy refuses the tunnel (see FetchRequest::Secure). Stops as soon as the
// download is cancelled.
Connection OpenConnection(InternetPort& port, const FetchRequest& request, FetchHandles& handles);

}  // namespace ow
