#pragma once
// The proxy's answer to CONNECT: a tunnel to the Open-Meteo host at port 443,
// which leads to the server's own HTTPS origin, after Basic credentials when
// some are set (407 otherwise); 403 for any other port, 502 for any other
// host or when the server has no TLS. Answers that open no tunnel leave the
// connection open for the next request, as the client may try again with
// credentials. The behaviour modes act on the requests inside the tunnel,
// never on the CONNECT itself, but for refuse-tunnel: 502 to every CONNECT
// that would have opened one, with a forecast for its page.
#include "connection_stream.h"
#include "live_settings.h"
#include "tls_origin.h"

namespace ow::sample {

// Reads and answers the CONNECT request that stream is about to read; a
// tunnel is served to its end before this returns. origin: null when the
// server has no TLS. Returns whether the connection may carry another request.
// refusalPage: the page of a refused tunnel in the refuse-tunnel mode.
bool AnswerConnect(ConnectionStream& stream, const LiveSettings& settings, const TlsOrigin* origin,
                   std::string_view refusalPage);

}  // namespace ow::sample
