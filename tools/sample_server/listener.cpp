#include "listener.h"

#include <chrono>

namespace ow::sample {

bool Listener::Start(httplib::Server& server, const std::string& address, int port, std::string* error) {
    port_ = port == 0 ? server.bind_to_any_port(address) : (server.bind_to_port(address, port) ? port : -1);
    if (port_ <= 0) {
        *error = "cannot listen on " + address + ":" + std::to_string(port);
        return false;
    }
    server_ = &server;
    serving_ = std::thread([&server] { server.listen_after_bind(); });
    // httplib's stop() does nothing until the accept loop runs, so a stop that
    // came earlier would be lost.
    for (int waited = 0; !server.is_running(); ++waited) {
        if (waited == 5000) {
            *error = "the accept loop did not start";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void Listener::Stop() {
    if (!serving_.joinable()) return;
    server_->stop();
    serving_.join();
}

}  // namespace ow::sample
