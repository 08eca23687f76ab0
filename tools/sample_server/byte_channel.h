#pragma once
// Where the bytes of one connection come from and go to: the socket itself,
// or a TLS session over it.
#include <sys/types.h>

#include <cstddef>

#include "stop_signal.h"

namespace ow::sample {

class ByteChannel {
public:
    virtual ~ByteChannel() = default;

    // Waits for bytes and takes up to size of them: the count, 0 once the
    // peer has closed, -1 on failure, time-out or stop.
    virtual ssize_t Receive(char* data, std::size_t size) = 0;
    // All of data, or -1.
    virtual ssize_t Send(const char* data, std::size_t size) = 0;
    // Bytes already taken from the socket but not yet received.
    virtual bool HasBuffered() const = 0;
    virtual int socket() const = 0;
};

// The socket as it is.
class PlainChannel final : public ByteChannel {
public:
    PlainChannel(int socket, const StopSignal& stop) : socket_(socket), stop_(stop) {}

    ssize_t Receive(char* data, std::size_t size) override;
    ssize_t Send(const char* data, std::size_t size) override;
    bool HasBuffered() const override { return false; }
    int socket() const override { return socket_; }

private:
    int socket_;
    const StopSignal& stop_;
};

}  // namespace ow::sample
