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

// What the proxy answers a CONNECT without the right credentials: worded as
// some proxies do, without the words a client might look for, so a client
// has to go by the status code.
inline constexpr std::string_view kTunnelCredentialsPage =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 2.0//EN\">\n"
    "<html><head>\n<title>Access denied</title>\n</head><body>\n"
    "<h1>Access denied</h1>\n"
    "<p>This proxy opens tunnels for its registered users only. "
    "Please sign in with your user name and password.</p>\n"
    "</body></html>\n";

inline constexpr std::string_view kTunnelForbiddenPage =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 2.0//EN\">\n"
    "<html><head>\n<title>403 Forbidden</title>\n</head><body>\n"
    "<h1>Forbidden</h1>\n<p>This proxy opens tunnels to port 443 only.</p>\n"
    "</body></html>\n";

inline constexpr std::string_view kBadRequestPage =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML 2.0//EN\">\n"
    "<html><head>\n<title>400 Bad Request</title>\n</head><body>\n"
    "<h1>Bad Request</h1>\n<p>Your browser sent a request that this server could not understand.</p>\n"
    "</body></html>\n";

// A page where a JSON document was expected, as a web server in maintenance answers.
inline constexpr std::string_view kMaintenancePage =
    "<!DOCTYPE html>\n<html><head><title>Scheduled maintenance</title></head><body>\n"
    "<h1>We'll be back soon</h1>\n"
    "<p>The forecast service is being updated. Please try again in a few minutes.</p>\n"
    "</body></html>\n";

// The proxy's Proxy-Authenticate value.
inline constexpr std::string_view kProxyChallenge = "Basic realm=\"sample\"";

}  // namespace ow::sample
