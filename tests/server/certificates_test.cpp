// The certificates the HTTPS origin presents, as a careful client judges them,
// on the origin's own port and through the proxy's tunnel alike.
#include "server_fixture.h"

namespace ow::sample::testing {
namespace {

class CertificateTest : public TlsServerTest, public ::testing::WithParamInterface<Route> {};

struct Verdict {
    const char* certificate;
    long verifyResult;  // what the client's check says
};

TEST_P(CertificateTest, OnlyTheGoodCertificatePassesTheClientsCheck) {
    const Verdict verdicts[] = {
        {"good", X509_V_OK},
        {"wrong-host", X509_V_ERR_HOSTNAME_MISMATCH},
        {"expired", X509_V_ERR_CERT_HAS_EXPIRED},
        {"unknown-ca", X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY},
    };
    for (const Verdict& verdict : verdicts) {
        SCOPED_TRACE(verdict.certificate);
        Control(std::string("tls?cert=") + verdict.certificate);
        Connection connection = Open(GetParam());
        ASSERT_TRUE(connection.tls);
        EXPECT_EQ(connection.tls->Handshake(), verdict.verifyResult == X509_V_OK);
        EXPECT_EQ(connection.tls->verifyResult(), verdict.verifyResult);
    }
    // The server saw one handshake finish and three refused by the client.
    EXPECT_EQ(SettledTls(), "ok cert=unknown-ca started=4 completed=1 failed=3\n");
}

TEST_P(CertificateTest, TheUnknownAuthoritysCertificateIsSoundForWhoeverTrustsIt) {
    Control("tls?cert=unknown-ca");
    Connection connection = Open(GetParam(), TestCaFile("other-ca.pem"));
    ASSERT_TRUE(connection.tls);
    EXPECT_TRUE(connection.tls->Handshake());
    EXPECT_EQ(connection.tls->verifyResult(), X509_V_OK);
}

TEST_P(CertificateTest, NoSessionIsResumedAcrossAChangeOfCertificate) {
    SSL_SESSION* first = nullptr;
    {
        Connection connection = Open(GetParam());
        ASSERT_TRUE(connection.tls && connection.tls->Handshake());
        first = SSL_get1_session(connection.tls->ssl());
    }
    ASSERT_NE(first, nullptr);
    Control("tls?cert=expired");
    Connection again = Open(GetParam());
    ASSERT_TRUE(again.tls);
    SSL_set_session(again.tls->ssl(), first);
    SSL_SESSION_free(first);
    EXPECT_FALSE(again.tls->Handshake());
    EXPECT_FALSE(again.tls->resumed());
    EXPECT_EQ(again.tls->verifyResult(), X509_V_ERR_CERT_HAS_EXPIRED);
}

INSTANTIATE_TEST_SUITE_P(Routes, CertificateTest, ::testing::Values(Route::Direct, Route::Tunnel),
                         [](const auto& info) { return RouteName(info.param); });

TEST_F(TlsServerTest, TheFirstCertificateComesFromTheConfiguration) {
    ServerConfig config = TlsConfig();
    config.certificate = Certificate::WrongHost;
    Restart(config);
    EXPECT_EQ(Control("tls"), "ok cert=wrong-host started=0 completed=0 failed=0\n");
    Connection connection = Open(Route::Direct);
    ASSERT_TRUE(connection.tls);
    EXPECT_FALSE(connection.tls->Handshake());
    EXPECT_EQ(connection.tls->verifyResult(), X509_V_ERR_HOSTNAME_MISMATCH);
}

TEST_F(TlsServerTest, TlsControlRefusesUnknownCertificatesAndClearResetsTheCounts) {
    auto bad = Get("/__control/tls?cert=self-signed");
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->status, 400);
    EXPECT_EQ(bad->body, "cert must be one of good, wrong-host, expired, unknown-ca\n");
    Exchange(Route::Direct, ClosingRequest(kIrkutskForecast));
    EXPECT_EQ(SettledTls(), "ok cert=good started=1 completed=1 failed=0\n");
    Control("clear");
    EXPECT_EQ(Control("tls"), "ok cert=good started=0 completed=0 failed=0\n");
}

TEST(TlsStart, FailsWithoutTheCertificateFolder) {
    ServerConfig config;
    config.tlsDir = "/nonexistent/test_ca";
    SampleServer server(config);
    std::string error;
    EXPECT_FALSE(server.Start(&error));
    EXPECT_EQ(error, "no certificate and key good.pem and good.key in /nonexistent/test_ca");
}

}  // namespace
}  // namespace ow::sample::testing
