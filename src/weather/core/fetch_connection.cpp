#include "weather/core/fetch_connection.h"

#include <string>


namespace ow {

namespace {

void SetProxyCredential(InternetPort& port, HInternet handle, const FetchRequest& request) {
    port.SetStringOption(handle, kOptionProxyUsername, request.proxyLogin);
    port.SetStringOption(handle, kOptionProxyPassword, request.proxyPassword);
}

// A request handle for one try, with the credential options on it, where a
// WinInet looks for them when it answers the proxy.
bool OpenSecureRequest(InternetPort& port, const FetchRequest& request, FetchHandles& handles) {
    handles.SetUrl(port.OpenRequest(handles.Connection(), request.secure->object, request.flags | kFlagSecure));
    if (handles.Url() == kNoInternetHandle) return false;
    if (request.proxyAuthorization) SetProxyCredential(port, handles.Url(), request);
    return true;
}

// The request, sent once and, while the proxy refuses the tunnel, again:
// first as it is (a WinInet answers the proxy's challenge from the
// credential options), then with the credential for the proxy itself. Only
// an answer that came through the verified tunnel (the server's certificate
// on the handle) is the server's; any other is the proxy's own, and only its
// challenge is answered. The credential header goes out only after such a
// challenge: once a tunnel stands, a header would ride inside it to the
// server. WinInet answers no challenge by itself (kFlagNoAuth), so each send
// is one exchange; each try goes on a request handle of its own, since a
// WinInet may send a request again on the connection the proxy refused,
// without asking for a tunnel, in the clear.
Connection SendSecureRequest(InternetPort& port, const FetchRequest& request, FetchHandles& handles) {
    const FetchRequest::Secure& secure = *request.secure;
    const std::string* tries[] = {&request.headers, &request.headers, &secure.tunnelAuthorization};
    const int count = request.proxyAuthorization ? 3 : 1;
    for (int i = 0; i < count; ++i) {
        if (i > 0) handles.CloseUrl();  // the refusal's rest is read where closing happens
        if (!OpenSecureRequest(port, request, handles)) return Connection::Failed;
        if (!port.SendRequest(handles.Url(), *tries[i]) || handles.Cancelled()) return Connection::Failed;
        const bool challenge = port.StatusCode(handles.Url()) == kStatusProxyAuthRequired;
        // The server asking for the proxy's credential is no proxy: nothing more goes to it.
        if (port.ServerCertificate(handles.Url())) return challenge ? Connection::Failed : Connection::Opened;
        if (!challenge) return Connection::Failed;  // the proxy refused the tunnel for good
    }
    return Connection::ProxyRefused;
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
    return SendSecureRequest(port, request, handles);
}

}  // namespace ow
