#pragma once
// One listening socket of an httplib server, served on a thread of its own
// from Start until Stop or destruction.
#include <string>
#include <thread>

#include <httplib.h>

namespace ow::sample {

class Listener {
public:
    Listener() = default;
    ~Listener() { Stop(); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // Binds address:port (0: any free port), listens and serves. False, with
    // a reason in error, when it can't.
    bool Start(httplib::Server& server, const std::string& address, int port, std::string* error);
    // The bound port; -1 before Start.
    int port() const { return port_; }
    // Ends the accept loop and every connection's worker. Idempotent.
    void Stop();

private:
    httplib::Server* server_ = nullptr;
    std::thread serving_;
    int port_ = -1;
};

}  // namespace ow::sample
