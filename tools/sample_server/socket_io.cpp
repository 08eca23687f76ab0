#include "socket_io.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

namespace ow::sample {
namespace {

constexpr std::chrono::milliseconds kWaitSlice{50};

}  // namespace

bool WaitForSocket(int socket, short events, std::chrono::milliseconds timeout, const StopSignal& stop) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (stop.raised()) return false;
        pollfd entry{socket, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(kWaitSlice.count()));
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() >= deadline) return false;
    }
}

ssize_t ReceiveSome(int socket, char* data, std::size_t size, const StopSignal& stop) {
    if (!WaitForSocket(socket, POLLIN, kReceiveTimeout, stop)) return -1;
    ssize_t got;
    do {
        got = ::recv(socket, data, size, 0);
    } while (got < 0 && errno == EINTR);
    return got;
}

bool SendAll(int socket, const char* data, std::size_t size, const StopSignal& stop) {
    std::size_t sent = 0;
    while (sent < size) {
        if (!WaitForSocket(socket, POLLOUT, kSendTimeout, stop)) return false;
        const ssize_t n = ::send(socket, data + sent, size - sent, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace ow::sample
