// The paced and partial answers through the proxy's tunnel when the HTTPS
// origin has no port of its own, as the server runs with --tls-dir alone:
// the body bytes each mode delivers, counted.
#include "server_fixture.h"

namespace ow::sample::testing {
namespace {

class TlsTunnelOnlyTest : public TlsServerTest {
protected:
    void SetUp() override {
        ServerConfig config = TlsConfig();
        config.tlsPort.reset();
        Restart(std::move(config));
        ASSERT_EQ(server_->tlsPort(), -1);
        normal_ = Get(kIrkutskForecast)->body;
        ASSERT_FALSE(normal_.empty());
    }

    TlsClient::Received Fetch(const std::string& mode) const {
        Control("mode?name=" + mode);
        return Exchange(Route::Tunnel, ClosingRequest(kIrkutskForecast));
    }

    std::string normal_;  // the forecast as the plain port serves it in the normal mode
};

TEST_F(TlsTunnelOnlyTest, WholeAnswersArriveWhole) {
    for (const char* mode : {"normal", "slow-start&interval_ms=1"}) {
        SCOPED_TRACE(mode);
        const auto received = Fetch(mode);
        EXPECT_EQ(std::string(RawBody(received.bytes)), normal_);
        EXPECT_TRUE(received.closeNotify);
    }
}

TEST_F(TlsTunnelOnlyTest, TrickleDeliversTheWholeDocument) {
    const auto received = Fetch("trickle&interval_ms=1");
    EXPECT_NE(received.bytes.find("Content-Length: " + std::to_string(normal_.size()) + "\r\n"), std::string::npos);
    EXPECT_EQ(RawBody(received.bytes).size(), normal_.size());
    EXPECT_EQ(std::string(RawBody(received.bytes)), normal_);
    EXPECT_TRUE(received.closeNotify);
}

TEST_F(TlsTunnelOnlyTest, PauseMidBodyDeliversTheWholeDocument) {
    const auto received = Fetch("pause-mid-body&interval_ms=1");
    EXPECT_EQ(RawBody(received.bytes).size(), normal_.size());
    EXPECT_EQ(std::string(RawBody(received.bytes)), normal_);
    EXPECT_TRUE(received.closeNotify);
}

TEST_F(TlsTunnelOnlyTest, LargeDeliversTheAnnouncedSize) {
    const auto received = Fetch("large&size_mb=1");
    EXPECT_NE(received.bytes.find("Content-Length: 1048576\r\n"), std::string::npos);
    EXPECT_EQ(RawBody(received.bytes).size(), 1024u * 1024);
    EXPECT_TRUE(received.closeNotify);
}

TEST_F(TlsTunnelOnlyTest, CloseMidBodyDeliversHalfAndDrops) {
    const auto received = Fetch("close-mid-body");
    EXPECT_NE(received.bytes.find("Content-Length: " + std::to_string(normal_.size()) + "\r\n"), std::string::npos);
    EXPECT_EQ(std::string(RawBody(received.bytes)), normal_.substr(0, normal_.size() / 2));
    EXPECT_FALSE(received.closeNotify);
}

// A stop still ends a paced body inside a tunnel: the first byte leaves at
// once, the rest never.
TEST_F(TlsTunnelOnlyTest, StopEndsATrickleAfterItsFirstByte) {
    Control("mode?name=trickle&interval_ms=600000");
    Connection connection = Open(Route::Tunnel);
    ASSERT_TRUE(connection.tls && connection.tls->Handshake());
    ASSERT_TRUE(connection.tls->Send(ClosingRequest(kIrkutskForecast)));
    // Waits, within the usual bound, for the head and the first body byte.
    std::string received;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while ((received.find("\r\n\r\n") == std::string::npos || RawBody(received).empty()) &&
           std::chrono::steady_clock::now() < deadline)
        received += connection.tls->ReceiveAll(std::chrono::milliseconds(20)).bytes;
    server_->Stop();
    const auto rest = connection.tls->ReceiveAll();
    received += rest.bytes;
    EXPECT_EQ(RawBody(received).size(), 1u) << received;
    EXPECT_FALSE(rest.closeNotify);
}

}  // namespace
}  // namespace ow::sample::testing
