#pragma once
// Runs the sample server in-process on a free loopback port and talks to it
// with httplib's client or with a raw socket. Every wait has a time-out.
#include <gtest/gtest.h>
#include <httplib.h>
#include <rapidjson/document.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "loopback_socket.h"
#include "sample_server.h"
#include "tls_client.h"
#include "weather/core/open_meteo_request.h"

namespace ow::sample::testing {

// Sends request as is and returns every byte received until the server closes
// the connection or timeout passes.
std::string RawExchange(int port, std::string_view request,
                        std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

// The body of a raw HTTP response (after the blank line), or all of it.
std::string_view RawBody(std::string_view response);

// A JSON document that must parse.
rapidjson::Document ParseJson(const std::string& text);

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override { Restart(ServerConfig{}); }
    void TearDown() override { server_->Stop(); }

    void Restart(ServerConfig config);
    std::unique_ptr<httplib::Client> Client() const;
    httplib::Result Get(const std::string& target, const httplib::Headers& headers = {}) const;
    // An Open-Meteo answer (a forecast or a place search): it must be 200 JSON.
    rapidjson::Document JsonAnswer(const std::string& target) const;
    // A control request that must succeed; returns its body.
    std::string Control(const std::string& pathAndQuery) const;
    int port() const { return server_->port(); }

    std::unique_ptr<SampleServer> server_;
};

// The documents the built-in towns give on the default date.
std::string InformerFor30710();
std::string FeedFor30710();

inline constexpr const char* kInformerPath = "/text/30710-2.JS";
inline constexpr const char* kFeedPath = "/auto/rss_full/global/stations/30710.xml";
inline constexpr const char* kProxyInformerTarget = "http://informer.gismeteo.ru/text/30710-2.JS";
inline constexpr const char* kProxyFeedTarget = "http://ru.wunderground.com/auto/rss_full/global/stations/30710.xml";

// The test authority's folder, made once per test program by
// tools/scripts/test_ca.sh; a file in it.
const std::string& TestCaDir();
std::string TestCaFile(std::string_view name);

// What the plug-in asks the Open-Meteo API for a place.
std::string ForecastTarget(std::string_view latitude, std::string_view longitude);
inline const std::string kIrkutskForecast = ForecastTarget("52.2978", "104.2964");
// A request for target to the Open-Meteo host that closes the connection.
std::string ClosingRequest(std::string_view target);

// How a client reaches the HTTPS origin: on its own port, or through a
// tunnel the proxy port opens.
enum class Route { Direct, Tunnel };
std::string RouteName(Route route);

// The server with its TLS origin, on a port of its own too.
class TlsServerTest : public ServerTest {
protected:
    void SetUp() override { Restart(TlsConfig()); }
    static ServerConfig TlsConfig();

    struct Connection {
        std::unique_ptr<LoopbackSocket> socket;
        std::unique_ptr<TlsClient> tls;  // null when the proxy opened no tunnel
    };
    // A connection ready for its handshake, trusting authorityFile only;
    // connectHeaders go into the CONNECT.
    Connection Open(Route route, const std::string& authorityFile = TestCaFile("ca.pem"),
                    const std::string& connectHeaders = "") const;
    // /__control/tls once no handshake is under way any more (the server may
    // still be reading a client's alert when the client has given up).
    std::string SettledTls() const;
    // One request on a new connection, after a handshake that must succeed.
    TlsClient::Received Exchange(Route route, const std::string& request) const;
};

// The exact CONNECT request for the Open-Meteo host, with extra header lines.
std::string ConnectRequest(const std::string& headers = "");
inline constexpr std::string_view kConnectEstablished = "HTTP/1.1 200 Connection established\r\n\r\n";

}  // namespace ow::sample::testing
