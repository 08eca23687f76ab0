#include "byte_channel.h"

#include "socket_io.h"

namespace ow::sample {

ssize_t PlainChannel::Receive(char* data, std::size_t size) { return ReceiveSome(socket_, data, size, stop_); }

ssize_t PlainChannel::Send(const char* data, std::size_t size) {
    return SendAll(socket_, data, size, stop_) ? static_cast<ssize_t>(size) : -1;
}

}  // namespace ow::sample
