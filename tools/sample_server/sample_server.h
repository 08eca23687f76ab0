#pragma once
// The sample weather server as one object: start it on a loopback port, ask it
// to stop from anywhere, stop it. Used by main and, in-process, by the tests.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "behaviour.h"
#include "calendar_date.h"
#include "live_settings.h"
#include "recording_http_server.h"
#include "request_log.h"
#include "stop_signal.h"
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
};

class SampleServer {
public:
    explicit SampleServer(ServerConfig config);
    ~SampleServer();
    SampleServer(const SampleServer&) = delete;
    SampleServer& operator=(const SampleServer&) = delete;

    // Binds, listens and serves on a thread of its own. False, with a reason
    // in error, when it can't.
    bool Start(std::string* error);
    int port() const { return port_; }

    // Thread-safe; the control endpoint quit calls it too.
    void RequestStop();
    // True once a stop was requested; waits at most timeout for one.
    bool WaitForStopRequest(std::chrono::milliseconds timeout);

    // Ends every connection and joins the serving thread. Idempotent.
    void Stop();

    // For notes at start-up: whether each town list came from its file.
    bool TownListFromFile(Source source) const { return fromFile_[static_cast<std::size_t>(source)]; }

private:
    void InstallRoutes();

    ServerConfig config_;
    WeatherSite site_;
    std::array<bool, kSourceCount> fromFile_{};
    LiveSettings settings_;
    RequestLog log_;
    StopSignal shutdown_;  // every wait inside the server gives up on it
    std::unique_ptr<RecordingHttpServer> http_;
    std::thread serving_;
    int port_ = -1;

    std::mutex stopMutex_;
    std::condition_variable stopRequested_;
    bool stopWanted_ = false;
};

}  // namespace ow::sample
