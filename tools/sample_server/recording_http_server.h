#pragma once
// httplib's server with its connections served through ConnectionStream, so
// request heads are recorded raw and handlers can refuse their connection.
// A connection may instead go to a handler of its own (a TLS handshake first),
// and CONNECT requests, which httplib does not route, to another.
#include <chrono>
#include <cstddef>
#include <functional>
#include <limits>
#include <string_view>

#include <httplib.h>

#include "byte_channel.h"
#include "connect_request.h"
#include "connection_stream.h"
#include "stop_signal.h"

namespace ow::sample {

class RecordingHttpServer : public httplib::Server {
public:
    // Takes a new connection's socket; the server closes it afterwards.
    using ConnectionHandler = std::function<void(int socket)>;
    // Answers the CONNECT request that stream is about to read; returns
    // whether the connection may carry another request.
    using ConnectHandler = std::function<bool(ConnectionStream& stream)>;

    RecordingHttpServer(const StopSignal& stop, ConnectionStream::HeadSink headSink);

    void HandConnectionsTo(ConnectionHandler handler) { connectionHandler_ = std::move(handler); }
    void AnswerConnectWith(ConnectHandler handler) { connectHandler_ = std::move(handler); }

    // Serves the requests that arrive through channel until the connection
    // should end. True when it ended in order: no refusal, no failed answer.
    bool ServeRequests(ByteChannel& channel);

    static constexpr int kMaxRequestsPerConnection = 100;
    static constexpr std::size_t kWorkerThreads = 32;
    static constexpr std::chrono::milliseconds kKeepAlive{5000};

private:
    bool process_and_close_socket(socket_t sock) override;

    static constexpr socket_t kNeverListened = std::numeric_limits<socket_t>::max();

    const StopSignal& stop_;
    ConnectionStream::HeadSink headSink_;
    ConnectionHandler connectionHandler_;
    ConnectHandler connectHandler_;
};

}  // namespace ow::sample
