#pragma once
// httplib's server with its connections served through ConnectionStream, so
// request heads are recorded raw and handlers can refuse their connection.
#include <chrono>
#include <cstddef>

#include <httplib.h>

#include "connection_stream.h"
#include "stop_signal.h"

namespace ow::sample {

class RecordingHttpServer : public httplib::Server {
public:
    RecordingHttpServer(const StopSignal& stop, ConnectionStream::HeadSink headSink);

    static constexpr int kMaxRequestsPerConnection = 100;
    static constexpr std::size_t kWorkerThreads = 32;
    static constexpr std::chrono::milliseconds kKeepAlive{5000};

private:
    bool process_and_close_socket(socket_t sock) override;

    const StopSignal& stop_;
    ConnectionStream::HeadSink headSink_;
};

}  // namespace ow::sample
