#include "server_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "common/cp1251.h"
#include "weather_document.h"

namespace ow::sample::testing {

rapidjson::Document ParseJson(const std::string& text) {
    rapidjson::Document document;
    document.Parse(text.c_str(), text.size());
    EXPECT_FALSE(document.HasParseError()) << text.substr(0, 200);
    return document;
}

std::string RawExchange(int port, std::string_view request, std::chrono::milliseconds timeout) {
    LoopbackSocket socket(port);
    if (!socket.Send(request)) return {};
    return socket.ReceiveAll(timeout);
}

std::string_view RawBody(std::string_view response) {
    const auto end = response.find("\r\n\r\n");
    return end == std::string_view::npos ? response : response.substr(end + 4);
}

void ServerTest::Restart(ServerConfig config) {
    if (server_) server_->Stop();
    server_ = std::make_unique<SampleServer>(std::move(config));
    std::string error;
    ASSERT_TRUE(server_->Start(&error)) << error;
}

std::unique_ptr<httplib::Client> ServerTest::Client() const {
    auto client = std::make_unique<httplib::Client>("127.0.0.1", port());
    client->set_connection_timeout(std::chrono::seconds(2));
    client->set_read_timeout(std::chrono::seconds(5));
    client->set_write_timeout(std::chrono::seconds(5));
    return client;
}

httplib::Result ServerTest::Get(const std::string& target, const httplib::Headers& headers) const {
    return Client()->Get(target, headers);
}

rapidjson::Document ServerTest::JsonAnswer(const std::string& target) const {
    auto result = Get(target);
    EXPECT_TRUE(result);
    if (!result) return {};
    EXPECT_EQ(result->status, 200) << result->body;
    EXPECT_EQ(result->get_header_value("Content-Type"), "application/json; charset=utf-8");
    return ParseJson(result->body);
}

std::string ServerTest::Control(const std::string& pathAndQuery) const {
    auto result = Get("/__control/" + pathAndQuery);
    EXPECT_TRUE(result) << pathAndQuery;
    if (!result) return {};
    EXPECT_EQ(result->status, 200) << pathAndQuery << ": " << result->body;
    return result->body;
}

std::string InformerFor30710() {
    static constexpr auto kIrkutsk = Cp1251(u8"Иркутск");
    return BuildWeatherDocument(Source::Informer, kIrkutsk.view(), "30710", kDefaultForecastDate).parts.Whole();
}

std::string FeedFor30710() {
    return BuildWeatherDocument(Source::Feed, "Irkutsk", "30710", kDefaultForecastDate).parts.Whole();
}

const std::string& TestCaDir() {
    static const std::string folder = [] {
        const std::string command = std::string("'") + OW_TEST_CA_SCRIPT + "' '" + OW_TEST_CA_DIR + "'";
        if (std::system(command.c_str()) != 0) ADD_FAILURE() << "could not make the test authority: " << command;
        return std::string(OW_TEST_CA_DIR);
    }();
    return folder;
}

std::string TestCaFile(std::string_view name) { return TestCaDir() + "/" + std::string(name); }

std::string ForecastTarget(std::string_view latitude, std::string_view longitude) {
    return std::string(kOpenMeteoPath) + "?latitude=" + std::string(latitude) + "&longitude=" +
           std::string(longitude) + std::string(kOpenMeteoQueryTail);
}

std::string ClosingRequest(std::string_view target) {
    return "GET " + std::string(target) + " HTTP/1.1\r\nHost: " + std::string(kOpenMeteoHost) +
           "\r\nConnection: close\r\n\r\n";
}

std::string RouteName(Route route) { return route == Route::Direct ? "Direct" : "Tunnel"; }

std::string ConnectRequest(const std::string& headers) {
    const std::string authority = std::string(kOpenMeteoHost) + ":443";
    return "CONNECT " + authority + " HTTP/1.1\r\nHost: " + authority + "\r\n" + headers + "\r\n";
}

ServerConfig TlsServerTest::TlsConfig() {
    ServerConfig config;
    config.tlsDir = TestCaDir();
    config.tlsPort = 0;
    return config;
}

TlsServerTest::Connection TlsServerTest::Open(Route route, const std::string& authorityFile,
                                              const std::string& connectHeaders) const {
    Connection connection;
    connection.socket = std::make_unique<LoopbackSocket>(route == Route::Direct ? server_->tlsPort() : port());
    if (route == Route::Tunnel) {
        connection.socket->Send(ConnectRequest(connectHeaders));
        const std::string answer = connection.socket->ReceiveAnswer(kPatience);
        if (answer != kConnectEstablished) {
            ADD_FAILURE() << "the proxy answered the CONNECT with " << answer;
            return connection;
        }
    }
    connection.tls = std::make_unique<TlsClient>(*connection.socket, authorityFile, kOpenMeteoHost);
    return connection;
}

std::string TlsServerTest::SettledTls() const {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    for (;;) {
        const std::string text = Control("tls");
        int started = 0, completed = 0, failed = 0;
        const auto counts = text.find("started=");
        if (counts != std::string::npos &&
            std::sscanf(text.c_str() + counts, "started=%d completed=%d failed=%d", &started, &completed, &failed) == 3 &&
            started == completed + failed)
            return text;
        if (std::chrono::steady_clock::now() >= deadline) return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

TlsClient::Received TlsServerTest::Exchange(Route route, const std::string& request) const {
    Connection connection = Open(route);
    if (!connection.tls || !connection.tls->Handshake() || !connection.tls->Send(request)) {
        ADD_FAILURE() << "no TLS session with the origin (" << RouteName(route) << ")";
        return {};
    }
    return connection.tls->ReceiveAll();
}

}  // namespace ow::sample::testing
