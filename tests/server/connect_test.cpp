// The proxy port's CONNECT: credentials, targets, the tunnel to the HTTPS
// origin and what the record shows of each side.
#include <httplib.h>

#include "server_fixture.h"

namespace ow::sample::testing {
namespace {

// "dXNlcjpwYXNz" is user:pass, "dXNlcjp3cm9uZw==" is user:wrong.
constexpr const char* kRightCredentials = "Proxy-Authorization: Basic dXNlcjpwYXNz\r\n";
constexpr const char* kWrongCredentials = "Proxy-Authorization: Basic dXNlcjp3cm9uZw==\r\n";

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

TEST_F(TlsServerTest, ConnectOpensATunnelToTheHttpsOrigin) {
    LoopbackSocket socket(port());
    ASSERT_TRUE(socket.Send(ConnectRequest()));
    EXPECT_EQ(socket.ReceiveAnswer(kPatience), kConnectEstablished);
    TlsClient tls(socket, TestCaFile("ca.pem"), kOpenMeteoHost);
    ASSERT_TRUE(tls.Handshake());
    EXPECT_EQ(tls.verifyResult(), X509_V_OK);
    ASSERT_TRUE(tls.Send(ClosingRequest(kIrkutskForecast)));
    const auto received = tls.ReceiveAll();
    EXPECT_TRUE(received.bytes.starts_with("HTTP/1.1 200 OK\r\n")) << received.bytes;
    EXPECT_NE(received.bytes.find("\r\nContent-Type: application/json; charset=utf-8\r\n"), std::string::npos);
    EXPECT_NE(received.bytes.find("\"timezone\":\"Asia/Irkutsk\""), std::string::npos);
    EXPECT_TRUE(received.closeNotify);
}

TEST_F(TlsServerTest, ConnectAsksForTheCredentialsAndKeepsTheConnectionForTheNextTry) {
    Control("auth?credentials=user:pass");
    LoopbackSocket socket(port());
    for (const char* headers : {"", kWrongCredentials, "Proxy-Authorization: Bearer dXNlcjpwYXNz\r\n"}) {
        SCOPED_TRACE(headers);
        ASSERT_TRUE(socket.Send(ConnectRequest(headers)));
        const std::string answer = socket.ReceiveAnswer(kPatience);
        EXPECT_TRUE(answer.starts_with("HTTP/1.1 407 Proxy Authentication Required\r\n")) << answer;
        EXPECT_NE(answer.find("\r\nProxy-Authenticate: Basic realm=\"sample\"\r\n"), std::string::npos);
        // A client must go by the status: the page names nothing it might look for.
        const std::string body = Lower(std::string(RawBody(answer)));
        EXPECT_NE(body.find("<html>"), std::string::npos);
        for (const char* word : {"authoriz", "authenticat", "407"}) EXPECT_EQ(body.find(word), std::string::npos) << word;
    }
    // The fourth request on the same connection carries the right credentials.
    ASSERT_TRUE(socket.Send(ConnectRequest(kRightCredentials)));
    EXPECT_EQ(socket.ReceiveAnswer(kPatience), kConnectEstablished);
    TlsClient tls(socket, TestCaFile("ca.pem"), kOpenMeteoHost);
    EXPECT_TRUE(tls.Handshake());
}

TEST_F(TlsServerTest, ConnectLeadsOnlyToTheOpenMeteoHostAtPort443) {
    const std::pair<const char*, const char*> cases[] = {
        {"API.Open-Meteo.COM:443", "HTTP/1.1 200 Connection established"},
        {"example.org:443", "HTTP/1.1 502 Bad Gateway"},
        {"api.open-meteo.com:80", "HTTP/1.1 403 Forbidden"},
        {"api.open-meteo.com:0443", "HTTP/1.1 403 Forbidden"},
        {"api.open-meteo.com", "HTTP/1.1 400 Bad Request"},
    };
    for (const auto& [authority, statusLine] : cases) {
        LoopbackSocket socket(port());
        ASSERT_TRUE(socket.Send(std::string("CONNECT ") + authority + " HTTP/1.1\r\nHost: " + authority + "\r\n\r\n"));
        EXPECT_TRUE(socket.ReceiveAnswer(kPatience).starts_with(std::string(statusLine) + "\r\n")) << authority;
    }
}

TEST_F(ServerTest, ConnectFindsNoOriginWithoutTls) {
    const std::string answer = RawExchange(port(), ConnectRequest("Connection: close\r\n"), std::chrono::milliseconds(500));
    EXPECT_TRUE(answer.starts_with("HTTP/1.1 502 Bad Gateway\r\n")) << answer;
}

TEST_F(TlsServerTest, RecordsTheConnectAsItCameAndTheRequestInsideWithItsMarker) {
    Control("auth?credentials=user:pass");
    {
        Connection connection = Open(Route::Tunnel, TestCaFile("ca.pem"), kRightCredentials);
        ASSERT_TRUE(connection.tls && connection.tls->Handshake());
        ASSERT_TRUE(connection.tls->Send("GET " + kIrkutskForecast +
                                         " HTTP/1.1\r\nUser-Agent: Mozilla\r\nHost: api.open-meteo.com\r\n"
                                         "Cache-Control: no-cache\r\nConnection: close\r\n\r\n"));
        EXPECT_NE(connection.tls->ReceiveAll().bytes.find("200 OK"), std::string::npos);
    }
    const std::string expected =
        "CONNECT api.open-meteo.com:443 HTTP/1.1\nHost: api.open-meteo.com:443\n"
        "Proxy-Authorization: Basic dXNlcjpwYXNz\n\n"
        "TLS GET " + kIrkutskForecast + " HTTP/1.1\nUser-Agent: Mozilla\nHost: api.open-meteo.com\n"
        "Cache-Control: no-cache\nConnection: close\n\n";
    EXPECT_EQ(Control("requests"), expected);
}

TEST_F(TlsServerTest, AnotherClientReachesTheOriginThroughTheProxy) {
    Control("auth?credentials=user:pass");
    httplib::SSLClient client(std::string(kOpenMeteoHost), 443);
    client.set_proxy("127.0.0.1", port());
    client.set_proxy_basic_auth("user", "pass");
    client.set_ca_cert_path(TestCaFile("ca.pem").c_str());
    client.enable_server_certificate_verification(true);
    client.set_read_timeout(std::chrono::seconds(10));
    auto result = client.Get(kIrkutskForecast);
    ASSERT_TRUE(result) << httplib::to_string(result.error());
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->get_header_value("Content-Type"), "application/json; charset=utf-8");
}

TEST_F(TlsServerTest, BytesSentBeforeTheProxyAnswersStillReachTheOrigin) {
    LoopbackSocket socket(port());
    TlsClient tls(socket, TestCaFile("ca.pem"), kOpenMeteoHost);
    ASSERT_TRUE(socket.Send(ConnectRequest(), true));
    ASSERT_TRUE(tls.Begin());  // the hello leaves with the CONNECT, unanswered
    EXPECT_EQ(socket.ReceiveAnswer(kPatience), kConnectEstablished);
    EXPECT_TRUE(tls.Handshake());
}

// The two hostile ends of a tunnelled request: a proxy that refuses the
// tunnel with a page that is a well-formed forecast, and a server beyond the
// tunnel that asks for the proxy's credential.
TEST_F(TlsServerTest, HostileTunnelModes) {
    {
        SCOPED_TRACE("refuse-tunnel");
        Control("mode?name=refuse-tunnel");
        LoopbackSocket socket(port());
        ASSERT_TRUE(socket.Send(ConnectRequest()));
        const std::string answer = socket.ReceiveAnswer(kPatience);
        EXPECT_TRUE(answer.starts_with("HTTP/1.1 502 Bad Gateway\r\n")) << answer;
        EXPECT_NE(RawBody(answer).find("\"timezone\":\"Asia/Irkutsk\""), std::string::npos) << answer;
    }
    {
        SCOPED_TRACE("far-challenge");
        Control("mode?name=far-challenge");
        Connection connection = Open(Route::Tunnel);
        ASSERT_TRUE(connection.tls && connection.tls->Handshake());
        ASSERT_TRUE(connection.tls->Send(ClosingRequest(kIrkutskForecast)));
        const auto received = connection.tls->ReceiveAll();
        EXPECT_TRUE(received.bytes.starts_with("HTTP/1.1 407 Proxy Authentication Required\r\n")) << received.bytes;
        EXPECT_NE(received.bytes.find("\r\nProxy-Authenticate: Basic realm=\"sample\"\r\n"), std::string::npos);
    }
}

}  // namespace
}  // namespace ow::sample::testing
