#pragma once
// The client side of a TLS session for the tests, over a socket the test has
// connected (directly or after a CONNECT). It trusts one authority file only
// and checks the host name, as a careful client does. OpenSSL reads from a
// memory buffer that this class fills from the socket, so a test can send the
// hello first and read the proxy's answer to CONNECT after it.
#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "loopback_socket.h"
#include "openssl_handles.h"

namespace ow::sample::testing {

inline constexpr std::chrono::milliseconds kPatience{10000};  // a bound on every wait, never a measure

class TlsClient {
public:
    TlsClient(const LoopbackSocket& socket, const std::string& authorityFile, std::string_view host);

    // Sends the hello and stops where the server's answer is needed.
    bool Begin();
    // Completes the handshake; false when it fails, the certificate check too.
    bool Handshake();
    // X509_V_OK, or why the server's certificate was refused.
    long verifyResult() const;
    bool resumed() const;
    SSL* ssl() const { return ssl_.get(); }

    bool Send(std::string_view text);

    struct Received {
        std::string bytes;
        std::vector<std::size_t> pieceEnds;  // where each read's bytes ended
        bool closeNotify = false;  // the server ended the session in order
    };
    // Everything until the session or the connection ends, or timeout passes.
    Received ReceiveAll(std::chrono::milliseconds timeout = kPatience);

private:
    // After a call that returned result: true when it wanted bytes and some
    // arrived before deadline, so the call should be made again.
    bool Feed(int result, std::chrono::steady_clock::time_point deadline);

    const LoopbackSocket& socket_;
    SslContextPtr context_;
    SslPtr ssl_;
    BIO* incoming_ = nullptr;  // owned by ssl_
};

}  // namespace ow::sample::testing
