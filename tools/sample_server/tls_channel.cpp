#include "tls_channel.h"

#include <algorithm>
#include <climits>

#include "socket_io.h"

namespace ow::sample {
namespace {

constexpr std::size_t kChunk = 16 * 1024;  // one TLS record's plaintext at most

}  // namespace

TlsChannel::TlsChannel(int socket, SslPtr session, const StopSignal& stop, std::string_view received)
    : socket_(socket), session_(std::move(session)), stop_(stop) {
    if (!session_) return;
    incoming_ = BIO_new(BIO_s_mem());
    outgoing_ = BIO_new(BIO_s_mem());
    if (!incoming_ || !outgoing_) {
        BIO_free(incoming_);
        BIO_free(outgoing_);
        session_.reset();
        return;
    }
    if (!received.empty()) BIO_write(incoming_, received.data(), static_cast<int>(received.size()));
    SSL_set_bio(session_.get(), incoming_, outgoing_);
    SSL_set_accept_state(session_.get());
}

bool TlsChannel::Flush() {
    char chunk[kChunk];
    for (;;) {
        const int n = BIO_read(outgoing_, chunk, sizeof chunk);
        if (n <= 0) return true;
        if (!SendAll(socket_, chunk, static_cast<std::size_t>(n), stop_)) return false;
    }
}

template <class Call>
std::optional<int> TlsChannel::Drive(Call call) {
    for (;;) {
        const int result = call();
        if (!Flush()) return std::nullopt;
        if (result > 0 || SSL_get_error(session_.get(), result) != SSL_ERROR_WANT_READ) return result;
        char chunk[kChunk];
        const ssize_t got = ReceiveSome(socket_, chunk, sizeof chunk, stop_);
        if (got <= 0) return std::nullopt;
        BIO_write(incoming_, chunk, static_cast<int>(got));
    }
}

bool TlsChannel::Handshake() {
    if (!session_) return false;
    const auto result = Drive([this] { return SSL_do_handshake(session_.get()); });
    return result == 1;
}

void TlsChannel::Close() {
    if (!session_) return;
    SSL_shutdown(session_.get());
    Flush();
}

ssize_t TlsChannel::Receive(char* data, std::size_t size) {
    if (!session_) return -1;
    const int wanted = static_cast<int>(std::min<std::size_t>(size, INT_MAX));
    const auto result = Drive([&] { return SSL_read(session_.get(), data, wanted); });
    if (!result) return -1;
    if (*result > 0) return *result;
    return SSL_get_error(session_.get(), *result) == SSL_ERROR_ZERO_RETURN ? 0 : -1;
}

ssize_t TlsChannel::Send(const char* data, std::size_t size) {
    if (!session_) return -1;
    // Memory buffers never push back, so each write takes all it is given.
    for (std::size_t done = 0; done < size;) {
        const int n = SSL_write(session_.get(), data + done, static_cast<int>(std::min(size - done, kChunk)));
        if (n <= 0) return -1;
        done += static_cast<std::size_t>(n);
    }
    return Flush() ? static_cast<ssize_t>(size) : -1;
}

bool TlsChannel::HasBuffered() const {
    return session_ && (SSL_pending(session_.get()) > 0 || BIO_ctrl_pending(incoming_) > 0);
}

}  // namespace ow::sample
