#pragma once
// The short pages the server answers with when it has no document to give,
// worded like those of ordinary web servers and proxies.
#include <string_view>

namespace ow::sample {

inline constexpr std::string_view kHtmlContentType = "text/html; charset=iso-8859-1";

inline constexpr std::string_view kNotFoundPage =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 2.0//EN\">\n"
    "<html><head>\n<title>404 Not Found</title>\n</head><body>\n"
    "<h1>Not Found</h1>\n<p>The requested URL was not found on this server.</p>\n"
    "</body></html>\n";

inline constexpr std::string_view kProxyAuthenticationPage =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 2.0//EN\">\n"
    "<html><head>\n<title>407 Proxy Authentication Required</title>\n</head><body>\n"
    "<h1>Proxy Authentication Required</h1>\n"
    "<p>This proxy could not verify that you are allowed to use it. "
    "Please authenticate with a valid user name and password.</p>\n"
    "</body></html>\n";

inline constexpr std::string_view kBadGatewayPage =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 2.0//EN\">\n"
    "<html><head>\n<title>502 Bad Gateway</title>\n</head><body>\n"
    "<h1>Bad Gateway</h1>\n<p>The proxy could not reach the requested host.</p>\n"
    "</body></html>\n";

// An ordinary page that happens to contain the word "authorized".
inline constexpr std::string_view kAuthorizedPage =
    "<!DOCTYPE html>\n<html><head><title>Service notice</title></head><body>\n"
    "<h1>Service notice</h1>\n"
    "<p>Only authorized partners may embed this informer. Please contact us.</p>\n"
    "</body></html>\n";

inline constexpr std::string_view kProxyRealm = "sample";

}  // namespace ow::sample
