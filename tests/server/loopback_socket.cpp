#include "loopback_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>

namespace ow::sample::testing {
namespace {

int MillisecondsUntil(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool WaitReadable(int fd, std::chrono::steady_clock::time_point deadline) {
    pollfd entry{fd, POLLIN, 0};
    return ::poll(&entry, 1, MillisecondsUntil(deadline)) > 0;
}

}  // namespace

LoopbackSocket::LoopbackSocket(int port) : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
    if (fd_ < 0) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

LoopbackSocket::~LoopbackSocket() {
    if (fd_ >= 0) ::close(fd_);
}

bool LoopbackSocket::Send(std::string_view bytes, bool more) const {
    const int flags = MSG_NOSIGNAL | (more ? MSG_MORE : 0);
    return connected_ && ::send(fd_, bytes.data(), bytes.size(), flags) == static_cast<ssize_t>(bytes.size());
}

std::string LoopbackSocket::ReceiveAll(std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string received;
    char buffer[4096];
    while (connected_ && WaitReadable(fd_, deadline)) {
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    return received;
}

bool LoopbackSocket::ReceiveByte(char* byte, std::chrono::steady_clock::time_point deadline) const {
    return connected_ && WaitReadable(fd_, deadline) && ::recv(fd_, byte, 1, 0) == 1;
}

std::string LoopbackSocket::ReceiveAnswer(std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string answer;
    char byte;
    while (!answer.ends_with("\r\n\r\n") && ReceiveByte(&byte, deadline)) answer += byte;
    const auto length = answer.find("Content-Length: ");
    std::size_t body = length == std::string::npos ? 0 : std::strtoul(answer.c_str() + length + 16, nullptr, 10);
    while (body > 0 && ReceiveByte(&byte, deadline)) {
        answer += byte;
        --body;
    }
    return answer;
}

bool LoopbackSocket::Readable(std::chrono::milliseconds wait) const {
    return WaitReadable(fd_, std::chrono::steady_clock::now() + wait);
}

}  // namespace ow::sample::testing
