#include "weather/core/fetch_connection.h"

#include <string>

#include "weather/core/fetch_body.h"

namespace ow {

namespace {

void SetProxyCredential(InternetPort& port, HInternet handle, const FetchRequest& request) {
    port.SetStringOption(handle, kOptionProxyUsername, request.proxyLogin);
    port.SetStringOption(handle, kOptionProxyPassword, request.proxyPassword);
}

// The request, sent once and, while the proxy refuses the tunnel, again:
// first as it is (a WinInet answers the proxy's challenge from the
// credential options when the request is sent again), then with the
// credential for the proxy itself. An answer that did not come over TLS is
// never taken: a WinInet may send the request in the clear on a connection
// whose tunnel the proxy refused, and all it can be is that refusal.
Connection SendSecureRequest(InternetPort& port, const FetchRequest& request, const FetchHandles& handles) {
    const FetchRequest::Secure& secure = *request.secure;
    const std::string* tries[] = {&request.headers, &request.headers, &secure.tunnelAuthorization};
    const int count = request.proxyAuthorization ? 3 : 1;
    bool refused = false;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            // A request is sent again only once the last answer has been read.
            std::string refusal;
            ReadBody(port, handles, refusal);
            if (handles.Cancelled()) return Connection::Failed;
        }
        if (!port.SendRequest(handles.Url(), *tries[i]) || handles.Cancelled()) return Connection::Failed;
        refused = port.StatusCode(handles.Url()) == kStatusProxyAuthRequired;
        if (!refused && port.Secure(handles.Url())) return Connection::Opened;
    }
    return refused || request.proxyAuthorization ? Connection::ProxyRefused : Connection::Failed;
}

}  // namespace

Connection OpenConnection(InternetPort& port, const FetchRequest& request, FetchHandles& handles) {
    const std::string* proxy = request.proxy ? &*request.proxy : nullptr;
    handles.SetInternet(port.Open(std::string(kUserAgent), request.accessType, proxy));
    if (handles.Internet() == kNoInternetHandle) return Connection::Failed;

    if (request.proxyAuthorization && proxy) {
        port.SetProxyOption(handles.Internet(), *proxy);
        SetProxyCredential(port, handles.Internet(), request);
    }

    if (!request.secure) {
        handles.SetUrl(port.OpenUrl(handles.Internet(), *request.url, request.headers, request.flags));
        return handles.Url() != kNoInternetHandle ? Connection::Opened : Connection::Failed;
    }
    handles.SetConnection(port.Connect(handles.Internet(), request.secure->host, kHttpsPort));
    if (handles.Connection() == kNoInternetHandle) return Connection::Failed;
    handles.SetUrl(port.OpenRequest(handles.Connection(), request.secure->object, request.flags | kFlagSecure));
    if (handles.Url() == kNoInternetHandle) return Connection::Failed;
    // Where a WinInet looks for the credential when it sends the request again.
    if (request.proxyAuthorization) SetProxyCredential(port, handles.Url(), request);
    return SendSecureRequest(port, request, handles);
}

}  // namespace ow
