#pragma once
// The server's own HTTPS origin for the Open-Meteo host: a TLS handshake with
// the certificate chosen at that moment (held back one interval in the
// slow-handshake mode), then the requests inside, served by an HTTP server of
// their own. It serves the connections of its own listener and the tunnels
// the proxy opens.
#include <string_view>

#include "handshake_tally.h"
#include "live_settings.h"
#include "recording_http_server.h"
#include "stop_signal.h"
#include "tls_identities.h"

namespace ow::sample {

class TlsOrigin {
public:
    // http serves the requests inside the sessions; all references must
    // outlive the origin.
    TlsOrigin(const TlsIdentities& identities, const LiveSettings& settings, const StopSignal& stop,
              HandshakeTally& tally, RecordingHttpServer& http);

    // One connection, from the handshake to its end. received: bytes already
    // read from the socket (after a CONNECT), the session's first.
    void Serve(int socket, std::string_view received) const;

private:
    const TlsIdentities& identities_;
    const LiveSettings& settings_;
    const StopSignal& stop_;
    HandshakeTally& tally_;
    RecordingHttpServer& http_;
};

}  // namespace ow::sample
