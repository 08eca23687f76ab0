#pragma once
// A client connection to a loopback port, closed when it goes. Every read
// waits at most the given time, so no test can hang on a silent server.
#include <chrono>
#include <string>
#include <string_view>

namespace ow::sample::testing {

class LoopbackSocket {
public:
    explicit LoopbackSocket(int port);
    ~LoopbackSocket();
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    bool connected() const { return connected_; }
    int fd() const { return fd_; }

    // more: hold the bytes back until the next send, so both leave together.
    bool Send(std::string_view bytes, bool more = false) const;
    // Every byte until the peer closes or timeout passes.
    std::string ReceiveAll(std::chrono::milliseconds timeout) const;
    // One HTTP answer head and its Content-Length body, not a byte more.
    std::string ReceiveAnswer(std::chrono::milliseconds timeout) const;
    // Whether a byte (or the close) arrives within wait.
    bool Readable(std::chrono::milliseconds wait) const;

private:
    // One byte; false at close or time-out.
    bool ReceiveByte(char* byte, std::chrono::steady_clock::time_point deadline) const;

    int fd_ = -1;
    bool connected_ = false;
};

}  // namespace ow::sample::testing
