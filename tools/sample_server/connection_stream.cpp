#include "connection_stream.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

namespace ow::sample {
namespace {

thread_local ConnectionStream* tCurrent = nullptr;

// Waits are cut into slices so a stop is noticed quickly.
constexpr std::chrono::milliseconds kWaitSlice{50};

void AddressOf(const sockaddr_storage& address, std::string& ip, int& port) {
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        port = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        port = ntohs(v6.sin6_port);
    }
    ip = text;
}

}  // namespace

ConnectionStream::ConnectionStream(int socket, const StopSignal& stop, HeadSink headSink)
    : socket_(socket), stop_(stop), headSink_(std::move(headSink)) {}

ConnectionStream* ConnectionStream::Current() { return tCurrent; }

ConnectionStream::CurrentScope::CurrentScope(ConnectionStream& stream) { tCurrent = &stream; }
ConnectionStream::CurrentScope::~CurrentScope() { tCurrent = nullptr; }

bool ConnectionStream::WaitFor(short events, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (stop_.raised()) return false;
        pollfd entry{socket_, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(kWaitSlice.count()));
        if (ready > 0) return true;  // also on hang-up or error: the next call reports it
        if (ready < 0 && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() >= deadline) return false;
    }
}

bool ConnectionStream::is_readable() const {
    return bufferBegin_ < bufferEnd_ || WaitFor(POLLIN, kReadTimeout);
}

bool ConnectionStream::is_writable() const { return !refused_ && WaitFor(POLLOUT, kWriteTimeout); }

bool ConnectionStream::WaitForRequest(std::chrono::milliseconds timeout) const {
    return bufferBegin_ < bufferEnd_ || WaitFor(POLLIN, timeout);
}

ssize_t ConnectionStream::read(char* ptr, size_t size) {
    if (bufferBegin_ == bufferEnd_) {
        if (!WaitFor(POLLIN, kReadTimeout)) return -1;
        ssize_t got;
        do {
            got = ::recv(socket_, buffer_, sizeof buffer_, 0);
        } while (got < 0 && errno == EINTR);
        if (got <= 0) return got;
        bufferBegin_ = 0;
        bufferEnd_ = static_cast<std::size_t>(got);
    }
    const std::size_t n = std::min(size, bufferEnd_ - bufferBegin_);
    std::memcpy(ptr, buffer_ + bufferBegin_, n);
    bufferBegin_ += n;
    Capture(ptr, n);
    return static_cast<ssize_t>(n);
}

ssize_t ConnectionStream::write(const char* ptr, size_t size) {
    if (refused_) return -1;
    EndHead();  // the record must exist before any answer can reach the client
    std::size_t sent = 0;
    while (sent < size) {
        if (!WaitFor(POLLOUT, kWriteTimeout)) return -1;
        const ssize_t n = ::send(socket_, ptr + sent, size - sent, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return -1;
        }
        sent += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(size);
}

void ConnectionStream::get_remote_ip_and_port(std::string& ip, int& port) const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getpeername(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) AddressOf(address, ip, port);
}

void ConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) AddressOf(address, ip, port);
}

void ConnectionStream::RunAfterResponse() {
    if (auto action = std::exchange(afterResponse_, nullptr)) action();
}

void ConnectionStream::BeginHead() {
    head_.clear();
    capturing_ = true;
    headComplete_ = false;
}

void ConnectionStream::EndHead() {
    if (!capturing_) return;
    capturing_ = false;
    if (!head_.empty() && headSink_) headSink_(head_);
}

void ConnectionStream::Capture(const char* data, std::size_t size) {
    for (std::size_t i = 0; capturing_ && i < size; ++i) {
        head_ += data[i];
        headComplete_ = head_.ends_with("\r\n\r\n");
        if (headComplete_ || head_.size() >= kMaxHeadBytes) EndHead();
    }
}

}  // namespace ow::sample
