#include "connection_stream.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "socket_io.h"

namespace ow::sample {
namespace {

thread_local ConnectionStream* tCurrent = nullptr;

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

ConnectionStream::ConnectionStream(ByteChannel& channel, const StopSignal& stop, HeadSink headSink)
    : channel_(channel), stop_(stop), headSink_(std::move(headSink)) {}

ConnectionStream* ConnectionStream::Current() { return tCurrent; }

ConnectionStream::CurrentScope::CurrentScope(ConnectionStream& stream) { tCurrent = &stream; }
ConnectionStream::CurrentScope::~CurrentScope() { tCurrent = nullptr; }

bool ConnectionStream::is_readable() const { return WaitForRequest(kReceiveTimeout); }

bool ConnectionStream::is_writable() const {
    return !refused_ && WaitForSocket(channel_.socket(), POLLOUT, kSendTimeout, stop_);
}

bool ConnectionStream::WaitForRequest(std::chrono::milliseconds timeout) const {
    return HasBuffered() || WaitForSocket(channel_.socket(), POLLIN, timeout, stop_);
}

ssize_t ConnectionStream::read(char* ptr, size_t size) {
    if (bufferBegin_ == bufferEnd_) {
        const ssize_t got = channel_.Receive(buffer_, sizeof buffer_);
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
    return channel_.Send(ptr, size);
}

bool ConnectionStream::NextRequestStartsWith(std::string_view prefix) {
    for (;;) {
        const std::string_view buffered(buffer_ + bufferBegin_, bufferEnd_ - bufferBegin_);
        const std::size_t n = std::min(buffered.size(), prefix.size());
        if (buffered.substr(0, n) != prefix.substr(0, n)) return false;
        if (n == prefix.size()) return true;
        std::memmove(buffer_, buffered.data(), buffered.size());
        bufferBegin_ = 0;
        bufferEnd_ = buffered.size();
        const ssize_t got = channel_.Receive(buffer_ + bufferEnd_, sizeof buffer_ - bufferEnd_);
        if (got <= 0) return false;
        bufferEnd_ += static_cast<std::size_t>(got);
    }
}

std::optional<std::string> ConnectionStream::ReadHead() {
    std::string head;
    while (!head.ends_with("\r\n\r\n")) {
        char c;
        if (head.size() >= kMaxHeadBytes || read(&c, 1) != 1) return std::nullopt;
        head += c;
    }
    return head;
}

std::string ConnectionStream::TakeBuffered() {
    std::string rest(buffer_ + bufferBegin_, bufferEnd_ - bufferBegin_);
    bufferBegin_ = bufferEnd_ = 0;
    return rest;
}

void ConnectionStream::get_remote_ip_and_port(std::string& ip, int& port) const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getpeername(channel_.socket(), reinterpret_cast<sockaddr*>(&address), &length) == 0) AddressOf(address, ip, port);
}

void ConnectionStream::get_local_ip_and_port(std::string& ip, int& port) const {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (::getsockname(channel_.socket(), reinterpret_cast<sockaddr*>(&address), &length) == 0) AddressOf(address, ip, port);
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
