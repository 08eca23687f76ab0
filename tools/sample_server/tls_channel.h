#pragma once
// The server side of a TLS session over a connected socket. OpenSSL reads and
// writes memory buffers only; this class moves the bytes between them and the
// socket itself, so every wait is one that gives up at a stop, and nothing is
// lost that was read from the socket before the session began.
#include <optional>
#include <string_view>

#include "byte_channel.h"
#include "openssl_handles.h"
#include "stop_signal.h"

namespace ow::sample {

class TlsChannel final : public ByteChannel {
public:
    // session: a server-side session from TlsIdentities (null makes every call
    // fail); received: bytes already read from the socket, the session's first.
    TlsChannel(int socket, SslPtr session, const StopSignal& stop, std::string_view received);

    // False when the handshake fails, the peer leaves, or the server stops.
    bool Handshake();
    // Ends the session in order (close_notify); the socket stays open.
    void Close();

    ssize_t Receive(char* data, std::size_t size) override;
    ssize_t Send(const char* data, std::size_t size) override;
    bool HasBuffered() const override;
    int socket() const override { return socket_; }

private:
    // Runs call until it has what it needs from the peer, sending whatever it
    // writes; its last result, or none when the socket fails first.
    template <class Call>
    std::optional<int> Drive(Call call);
    bool Flush();

    int socket_;
    SslPtr session_;
    const StopSignal& stop_;
    BIO* incoming_ = nullptr;  // owned by session_
    BIO* outgoing_ = nullptr;  // owned by session_
};

}  // namespace ow::sample
