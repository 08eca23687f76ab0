#pragma once
// The sample weather server as the end-to-end tests and benchmarks see it:
// its control endpoints, its record of requests, and a bare WinInet request
// through it for comparison with the plug-in's.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace wine_tests {

// One request as the server received it: its request line and header lines.
struct RecordedRequest {
    std::string line;
    std::vector<std::string> headers;

    // How many header lines are exactly `header`, or start with `prefix`.
    int CountExact(const std::string& header) const;
    int CountPrefix(const std::string& prefix) const;
};

// Header lines of `a` that `b` lacks, counted as a multiset, sorted.
std::vector<std::string> HeadersBeyond(const RecordedRequest& a, const RecordedRequest& b);

class SampleServerControl {
public:
    explicit SampleServerControl(int port) : port_(port) {}
    // The port the runner started a server on (OW_SERVER_PORT); none when no
    // server runs for this program.
    static std::optional<int> PortFromEnvironment();

    int port() const { return port_; }
    std::string ProxyText() const { return "127.0.0.1:" + std::to_string(port_); }

    // GET /__control/<command>; the answer's body, none when the server did
    // not answer 200.
    std::optional<std::string> Control(const std::string& command) const;
    bool SetMode(const std::string& query) const;  // e.g. "name=trickle&interval_ms=5"
    bool SetCredentials(const std::string& userColonPass) const;
    bool ClearRecord() const;
    std::vector<RecordedRequest> Requests() const;

private:
    int port_;
};

// A request made with WinInet the plain way (agent "Mozilla", no added
// header, cache bypassed) through the proxy `proxy` ("host:port"), or
// directly when it is empty. Reads in pieces of `pieceSize` bytes and keeps
// the body in `body` unless it is null. Returns the number of body bytes, or
// none when no connection was made.
std::optional<std::uint64_t> BareWinInetGet(const std::string& proxy, const std::string& url, std::string* body,
                                            std::uint32_t pieceSize = 2048);

// Lines of the plug-in's settings file, key → value.
using Settings = std::map<std::string, std::string>;

// Every key of the settings file: through the sample server on `port` as
// proxy, Gismeteo, the first town, no authorisation, scrolling off at speed
// 5, no re-display.
Settings ProxySettings(int port);
// The file's bytes: "key=value" lines ending in CR LF.
std::string SettingsFileText(const Settings& settings);

// A loopback port on which nothing listens (just released by the system).
int UnusedLoopbackPort();

}  // namespace wine_tests
