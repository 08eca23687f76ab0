#include "tls_origin.h"

#include "tls_channel.h"

namespace ow::sample {

TlsOrigin::TlsOrigin(const TlsIdentities& identities, const LiveSettings& settings, const StopSignal& stop,
                     HandshakeTally& tally, RecordingHttpServer& http)
    : identities_(identities), settings_(settings), stop_(stop), tally_(tally), http_(http) {}

void TlsOrigin::Serve(int socket, std::string_view received) const {
    tally_.Started();
    const Behaviour behaviour = settings_.behaviour();
    // The client's hello waits unread, so not one handshake byte leaves the server early.
    if (behaviour.mode == Mode::SlowHandshake && stop_.WaitFor(behaviour.interval)) {
        tally_.Failed();
        return;
    }
    TlsChannel channel(socket, identities_.NewSession(settings_.certificate()), stop_, received);
    if (!channel.Handshake()) {
        tally_.Failed();
        return;
    }
    tally_.Completed();
    // A refused or broken answer ends like a dropped connection, without close_notify.
    if (http_.ServeRequests(channel)) channel.Close();
}

}  // namespace ow::sample
