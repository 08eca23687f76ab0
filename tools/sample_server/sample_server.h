#pragma once
// The sample weather server as one object: start it on a loopback port (and,
// with a TLS folder, an HTTPS origin that the proxy's tunnels lead to and,
// when asked, a port of its own), ask it to stop from anywhere, stop it. Used
// by main and, in-process, by the tests.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "behaviour.h"
#include "calendar_date.h"
#include "certificate_choice.h"
#include "handshake_tally.h"
#include "listener.h"
#include "live_settings.h"
#include "recording_http_server.h"
#include "request_log.h"
#include "stop_signal.h"
#include "tls_identities.h"
#include "tls_origin.h"
#include "weather_endpoint.h"

namespace ow::sample {

struct ServerConfig {
    std::string bindAddress = "127.0.0.1";
    int port = 0;          // 0: any free port
    std::string dataDir;   // holds the town lists; empty: built-in towns only
    CalendarDate date = kDefaultForecastDate;
    Behaviour behaviour;
    std::string credentials;  // "user:pass"; empty: proxy requests are not challenged
    std::string logPath;      // request log file; empty: none
    std::string tlsDir;       // tools/scripts/test_ca.sh's folder; empty: no TLS at all
    std::optional<int> tlsPort;  // a port of the HTTPS origin's own (0: any free port)
    Certificate certificate = Certificate::Good;
};

class SampleServer {
public:
    explicit SampleServer(ServerConfig config);
    ~SampleServer();
    SampleServer(const SampleServer&) = delete;
    SampleServer& operator=(const SampleServer&) = delete;

    // Binds, listens and serves on threads of its own. False, with a reason
    // in error, when it can't.
    bool Start(std::string* error);
    int port() const { return listener_.port(); }
    // The HTTPS origin's own port; -1 when it has none.
    int tlsPort() const { return tlsListener_.port(); }

    // Thread-safe; the control endpoint quit calls it too.
    void RequestStop();
    // True once a stop was requested; waits at most timeout for one.
    bool WaitForStopRequest(std::chrono::milliseconds timeout);

    // Ends every connection and joins the serving threads. Idempotent.
    void Stop();

    // For notes at start-up: whether each town list came from its file.
    bool TownListFromFile(Source source) const { return fromFile_[static_cast<std::size_t>(source)]; }

private:
    void InstallRoutes();
    void InstallTlsRoutes();

    ServerConfig config_;
    WeatherSite site_;
    std::array<bool, kSourceCount> fromFile_{};
    LiveSettings settings_;
    RequestLog log_;
    HandshakeTally handshakes_;
    StopSignal shutdown_;  // every wait inside the server gives up on it
    TlsIdentities identities_;
    std::unique_ptr<RecordingHttpServer> http_;
    std::unique_ptr<RecordingHttpServer> tlsHttp_;  // the requests inside TLS; only with a TLS folder
    std::unique_ptr<TlsOrigin> origin_;
    // Last, so their connections end before what they use goes.
    Listener listener_;
    Listener tlsListener_;

    std::mutex stopMutex_;
    std::condition_variable stopRequested_;
    bool stopWanted_ = false;
};

}  // namespace ow::sample
