// Each behaviour of the server as a client of the HTTPS origin sees it, on the
// origin's own port and through the proxy's tunnel: bytes and reads counted,
// waits shown by what has not arrived before the server stops.
#include <rapidjson/document.h>

#include <algorithm>
#include <thread>

#include "server_fixture.h"

namespace ow::sample::testing {
namespace {

// How long a client listens for a byte that must not come: enough for one to
// arrive from a server that does not hold it back; a pass takes this long, a
// failure never depends on it.
constexpr std::chrono::milliseconds kQuietSpell{300};

class TlsModeTest : public TlsServerTest, public ::testing::WithParamInterface<Route> {
protected:
    void SetUp() override {
        TlsServerTest::SetUp();
        normal_ = Get(kIrkutskForecast)->body;
    }
    TlsClient::Received Fetch() const { return Exchange(GetParam(), ClosingRequest(kIrkutskForecast)); }
    void Mode(const std::string& query) const { Control("mode?name=" + query); }

    // Asks the control endpoint until its answer holds text.
    void AwaitControl(const std::string& endpoint, const std::string& text) const {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (Control(endpoint).find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }

    std::string normal_;  // the forecast as the normal mode serves it
};

std::string HeadOf(const std::string& response) { return response.substr(0, response.size() - RawBody(response).size()); }

TEST_P(TlsModeTest, NormalEndsTheSessionInOrder) {
    const auto received = Fetch();
    EXPECT_EQ(std::string(RawBody(received.bytes)), normal_);
    EXPECT_TRUE(received.closeNotify);
}

TEST_P(TlsModeTest, RefuseAndHoldCloseEndWithoutAByteButRecord) {
    for (const char* mode : {"refuse", "hold-close&interval_ms=50"}) {
        SCOPED_TRACE(mode);
        Control("clear");
        Mode(mode);
        const auto received = Fetch();
        EXPECT_EQ(received.bytes, "");
        EXPECT_FALSE(received.closeNotify);
        const std::string record = Control("requests");
        EXPECT_NE(record.find("TLS GET " + kIrkutskForecast + " HTTP/1.1\n"), std::string::npos) << record;
    }
}

TEST_P(TlsModeTest, CloseMidBodyAnnouncesTheWholeLengthAndSendsHalf) {
    Mode("close-mid-body");
    const auto received = Fetch();
    EXPECT_NE(received.bytes.find("Content-Length: " + std::to_string(normal_.size()) + "\r\n"), std::string::npos);
    EXPECT_EQ(std::string(RawBody(received.bytes)), normal_.substr(0, normal_.size() / 2));
    EXPECT_FALSE(received.closeNotify);
}

TEST_P(TlsModeTest, EmptyAndBlankBodies) {
    Mode("empty");
    const auto empty = Fetch();
    EXPECT_TRUE(empty.bytes.starts_with("HTTP/1.1 200 OK\r\n"));
    EXPECT_NE(empty.bytes.find("Content-Length: 0\r\n"), std::string::npos);
    EXPECT_EQ(RawBody(empty.bytes), "");
    Mode("blank");
    const std::string blank(RawBody(Fetch().bytes));
    EXPECT_FALSE(blank.empty());
    EXPECT_EQ(blank.find_first_not_of(" \r\n\t"), std::string::npos);
}

TEST_P(TlsModeTest, TrickleSendsTheDocumentByteByByte) {
    Mode("trickle&interval_ms=1");
    const auto received = Fetch();
    EXPECT_EQ(std::string(RawBody(received.bytes)), normal_);
    EXPECT_GT(received.pieceEnds.size(), normal_.size() / 2);
}

TEST_P(TlsModeTest, PauseMidBodyBreaksTheBodyExactlyInHalf) {
    Mode("pause-mid-body&interval_ms=100");
    const auto received = Fetch();
    ASSERT_EQ(std::string(RawBody(received.bytes)), normal_);
    const std::size_t half = HeadOf(received.bytes).size() + normal_.size() / 2;
    EXPECT_NE(std::find(received.pieceEnds.begin(), received.pieceEnds.end(), half), received.pieceEnds.end());
}

TEST_P(TlsModeTest, LargeIsValidJsonOfTheExactSize) {
    Mode("large&size_mb=2");
    const auto received = Fetch();
    const std::string body(RawBody(received.bytes));
    ASSERT_EQ(body.size(), 2u * 1024 * 1024);
    EXPECT_NE(received.bytes.find("Content-Length: 2097152\r\n"), std::string::npos);
    EXPECT_TRUE(body.starts_with(normal_.substr(0, normal_.size() - 1)));
    rapidjson::Document doc;
    ASSERT_FALSE(doc.Parse(body.c_str(), body.size()).HasParseError());
    EXPECT_EQ(doc["daily"]["time"].Size(), 2u);
    EXPECT_EQ(doc["current"]["interval"].GetInt(), 900);
    EXPECT_GT(doc["hourly"]["temperature_2m"].Size(), 100000u);
    EXPECT_EQ(body.find("authoriz"), std::string::npos);
}

TEST_P(TlsModeTest, AuthorizPageIsAnOrdinaryPage) {
    Mode("authoriz");
    const auto received = Fetch();
    EXPECT_TRUE(received.bytes.starts_with("HTTP/1.1 200 OK\r\n"));
    EXPECT_NE(received.bytes.find("authorized"), std::string::npos);
}

TEST_P(TlsModeTest, TheOpenMeteoModesInsideTls) {
    Mode("example");
    EXPECT_NE(Fetch().bytes.find("\"temperature_2m\":-2.6,"), std::string::npos);
    Mode("api-error");
    EXPECT_TRUE(Fetch().bytes.starts_with("HTTP/1.1 400 Bad Request\r\n"));
    Mode("not-json");
    EXPECT_TRUE(RawBody(Fetch().bytes).starts_with("<!DOCTYPE html>"));
}

TEST_P(TlsModeTest, SlowStartHoldsTheAnswerUntilTheServerStops) {
    Mode("slow-start&interval_ms=600000");
    Connection connection = Open(GetParam());
    ASSERT_TRUE(connection.tls && connection.tls->Handshake());
    ASSERT_TRUE(connection.tls->Send(ClosingRequest(kIrkutskForecast)));
    AwaitControl("requests", "TLS GET ");
    // The request is in; not a byte of the answer comes out while the server waits.
    EXPECT_FALSE(connection.socket->Readable(kQuietSpell));
    server_->Stop();
    const auto received = connection.tls->ReceiveAll();
    EXPECT_EQ(received.bytes, "");
}

TEST_P(TlsModeTest, SlowHandshakeHoldsTheServersFirstByte) {
    Mode("slow-handshake&interval_ms=600000");
    Connection connection = Open(GetParam());
    ASSERT_TRUE(connection.tls && connection.tls->Begin());
    AwaitControl("tls", "started=1 ");
    EXPECT_EQ(Control("tls"), "ok cert=good started=1 completed=0 failed=0\n");
    EXPECT_FALSE(connection.socket->Readable(kQuietSpell));
    server_->Stop();
    EXPECT_FALSE(connection.tls->Handshake());
}

TEST_P(TlsModeTest, SlowHandshakeThenServesTheForecast) {
    Mode("slow-handshake&interval_ms=1");
    EXPECT_EQ(std::string(RawBody(Fetch().bytes)), normal_);
    EXPECT_EQ(SettledTls(), "ok cert=good started=1 completed=1 failed=0\n");
}

INSTANTIATE_TEST_SUITE_P(Routes, TlsModeTest, ::testing::Values(Route::Direct, Route::Tunnel),
                         [](const auto& info) { return RouteName(info.param); });

}  // namespace
}  // namespace ow::sample::testing
