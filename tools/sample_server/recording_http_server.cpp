#include "recording_http_server.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ow::sample {

RecordingHttpServer::RecordingHttpServer(const StopSignal& stop, ConnectionStream::HeadSink headSink)
    : stop_(stop), headSink_(std::move(headSink)) {
    // httplib announces this count in its Keep-Alive header.
    set_keep_alive_max_count(kMaxRequestsPerConnection);
    // Idle keep-alive connections and trickling bodies each hold a worker.
    new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    // httplib runs a response's content provider only while svr_sock_ holds
    // a socket, its sign of a server not shutting down. A server that is only
    // handed channels (the tunnels' origin without a port of its own) never
    // listens, so it holds a value no descriptor can have until a listen
    // replaces it; a stop then ends its providers through stop_.
    svr_sock_ = kNeverListened;
}

bool RecordingHttpServer::ServeRequests(ByteChannel& channel) {
    bool ok = true;
    ConnectionStream stream(channel, stop_, headSink_);
    ConnectionStream::CurrentScope scope(stream);
    for (int served = 0; ok && served < kMaxRequestsPerConnection; ++served) {
        if (!stream.WaitForRequest(kKeepAlive)) break;
        stream.BeginHead();
        if (connectHandler_ && stream.NextRequestStartsWith(kConnectMethod)) {
            const bool carryOn = connectHandler_(stream);
            stream.EndHead();
            if (!carryOn) break;
            continue;
        }
        bool connectionClosed = false;
        ok = process_request(stream, served + 1 == kMaxRequestsPerConnection, connectionClosed, nullptr);
        stream.EndHead();
        stream.RunAfterResponse();
        // After a malformed request the rest of the bytes can't be trusted
        // to start a request, so the connection ends, as with most servers.
        if (connectionClosed || stream.refused() || !stream.headComplete()) break;
    }
    return ok && !stream.refused();
}

bool RecordingHttpServer::process_and_close_socket(socket_t sock) {
    // A trickled body must leave one byte at a time, not wait for an ACK.
    const int on = 1;
    ::setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);

    bool ok = true;
    if (connectionHandler_) {
        connectionHandler_(sock);
    } else {
        PlainChannel channel(sock, stop_);
        ok = ServeRequests(channel);
    }
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return ok;
}

}  // namespace ow::sample
