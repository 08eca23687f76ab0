#include "weather/core/fetch_connection.h"

#include <string>

namespace ow {

bool OpenConnection(InternetPort& port, const FetchRequest& request, FetchHandles& handles) {
    const std::string* proxy = request.proxy ? &*request.proxy : nullptr;
    handles.SetInternet(port.Open(std::string(kUserAgent), request.accessType, proxy));
    if (handles.Internet() == kNoInternetHandle) return false;

    if (request.proxyAuthorization && proxy) {
        port.SetProxyOption(handles.Internet(), *proxy);
        port.SetStringOption(handles.Internet(), kOptionProxyUsername, request.proxyLogin);
        port.SetStringOption(handles.Internet(), kOptionProxyPassword, request.proxyPassword);
    }

    handles.SetUrl(port.OpenUrl(handles.Internet(), *request.url, request.headers, request.flags));
    return handles.Url() != kNoInternetHandle;
}

}  // namespace ow
