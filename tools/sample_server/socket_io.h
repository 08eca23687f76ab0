#pragma once
// Socket reads and writes that wait in short slices, so a stop is noticed at
// once and no connection can hold a worker for longer than its time-out.
#include <sys/types.h>

#include <chrono>
#include <cstddef>

#include "stop_signal.h"

namespace ow::sample {

inline constexpr std::chrono::milliseconds kReceiveTimeout{5000};
inline constexpr std::chrono::milliseconds kSendTimeout{5000};

// True once the socket is ready for events (or has hung up: the next call
// reports that); false at time-out or stop.
bool WaitForSocket(int socket, short events, std::chrono::milliseconds timeout, const StopSignal& stop);

// Waits for bytes, then takes what is there: the count, 0 once the peer has
// closed, -1 on failure, time-out or stop.
ssize_t ReceiveSome(int socket, char* data, std::size_t size, const StopSignal& stop);

// Sends all of data; false on failure, time-out or stop.
bool SendAll(int socket, const char* data, std::size_t size, const StopSignal& stop);

}  // namespace ow::sample
