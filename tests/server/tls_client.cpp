#include "tls_client.h"

#include <poll.h>
#include <sys/socket.h>


namespace ow::sample::testing {

TlsClient::TlsClient(const LoopbackSocket& socket, const std::string& authorityFile, std::string_view host)
    : socket_(socket), context_(SSL_CTX_new(TLS_client_method())) {
    SSL_CTX_load_verify_locations(context_.get(), authorityFile.c_str(), nullptr);
    SSL_CTX_set_verify(context_.get(), SSL_VERIFY_PEER, nullptr);
    ssl_.reset(SSL_new(context_.get()));
    const std::string name(host);
    SSL_set_tlsext_host_name(ssl_.get(), name.c_str());
    SSL_set1_host(ssl_.get(), name.c_str());
    incoming_ = BIO_new(BIO_s_mem());
    SSL_set_bio(ssl_.get(), incoming_, BIO_new_socket(socket.fd(), BIO_NOCLOSE));
    SSL_set_connect_state(ssl_.get());
}

bool TlsClient::Feed(int result, std::chrono::steady_clock::time_point deadline) {
    if (SSL_get_error(ssl_.get(), result) != SSL_ERROR_WANT_READ) return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd entry{socket_.fd(), POLLIN, 0};
    if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0) return false;
    char chunk[16384];
    const ssize_t got = ::recv(socket_.fd(), chunk, sizeof chunk, 0);
    if (got <= 0) return false;
    BIO_write(incoming_, chunk, static_cast<int>(got));
    return true;
}

bool TlsClient::Begin() {
    const int result = SSL_do_handshake(ssl_.get());
    return result == 1 || SSL_get_error(ssl_.get(), result) == SSL_ERROR_WANT_READ;
}

bool TlsClient::Handshake() {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    for (;;) {
        const int result = SSL_do_handshake(ssl_.get());
        if (result == 1) return true;
        if (!Feed(result, deadline)) return false;
    }
}

long TlsClient::verifyResult() const { return SSL_get_verify_result(ssl_.get()); }

bool TlsClient::resumed() const { return SSL_session_reused(ssl_.get()) == 1; }

bool TlsClient::Send(std::string_view text) {
    return SSL_write(ssl_.get(), text.data(), static_cast<int>(text.size())) == static_cast<int>(text.size());
}

TlsClient::Received TlsClient::ReceiveAll(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Received received;
    char buffer[16384];
    for (;;) {
        const int n = SSL_read(ssl_.get(), buffer, sizeof buffer);
        if (n > 0) {
            received.bytes.append(buffer, static_cast<std::size_t>(n));
            received.pieceEnds.push_back(received.bytes.size());
            continue;
        }
        if (SSL_get_error(ssl_.get(), n) == SSL_ERROR_ZERO_RETURN) {
            received.closeNotify = true;
            return received;
        }
        if (!Feed(n, deadline)) return received;
    }
}

}  // namespace ow::sample::testing
