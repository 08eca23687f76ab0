// What tools/scripts/test_ca.sh makes: the authority and each server
// certificate with the properties the TLS tests rely on, made once however
// many callers race for it.
#include <gtest/gtest.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "openssl_handles.h"
#include "server_fixture.h"

namespace ow::sample::testing {
namespace {

using StorePtr = std::unique_ptr<X509_STORE, OpenSslFree<X509_STORE_free>>;
using StoreContextPtr = std::unique_ptr<X509_STORE_CTX, OpenSslFree<X509_STORE_CTX_free>>;

const std::string kHost(kOpenMeteoHost);

X509Ptr Certificate(const std::string& folder, const std::string& name) {
    BioPtr file(BIO_new_file((folder + "/" + name).c_str(), "r"));
    return X509Ptr(file ? PEM_read_bio_X509(file.get(), nullptr, nullptr, nullptr) : nullptr);
}

// X509_V_OK, or why a client trusting authorityFile alone refuses the certificate for host.
long Verdict(const std::string& authorityFile, X509* certificate, const std::string& host) {
    StorePtr store(X509_STORE_new());
    X509_STORE_load_file(store.get(), authorityFile.c_str());
    StoreContextPtr context(X509_STORE_CTX_new());
    X509_STORE_CTX_init(context.get(), store.get(), certificate, nullptr);
    if (!host.empty()) X509_VERIFY_PARAM_set1_host(X509_STORE_CTX_get0_param(context.get()), host.c_str(), 0);
    X509_verify_cert(context.get());
    return X509_STORE_CTX_get_error(context.get());
}

std::map<std::string, std::string> Contents(const std::string& folder) {
    std::map<std::string, std::string> contents;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        contents[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(file), {});
    }
    return contents;
}

TEST(TestAuthority, HoldsEveryCertificateWithTheExpectedProperties) {
    const std::string& folder = TestCaDir();
    const std::string authority = folder + "/ca.pem";
    const X509Ptr ca = Certificate(folder, "ca.pem");
    ASSERT_TRUE(ca);
    EXPECT_EQ(X509_check_ca(ca.get()), 1);
    const int constraints = X509_get_ext_by_NID(ca.get(), NID_basic_constraints, -1);
    ASSERT_GE(constraints, 0);
    EXPECT_EQ(X509_EXTENSION_get_critical(X509_get_ext(ca.get(), constraints)), 1);
    std::ifstream derFile(folder + "/ca.der", std::ios::binary);
    const std::string der(std::istreambuf_iterator<char>(derFile), {});
    const auto* derBytes = reinterpret_cast<const unsigned char*>(der.data());
    const X509Ptr fromDer(d2i_X509(nullptr, &derBytes, static_cast<long>(der.size())));
    ASSERT_TRUE(fromDer);
    EXPECT_EQ(X509_cmp(ca.get(), fromDer.get()), 0);

    const X509Ptr good = Certificate(folder, "good.pem");
    ASSERT_TRUE(good);
    EXPECT_EQ(Verdict(authority, good.get(), kHost), X509_V_OK);
    // Wine's WinInet matches the host it was given literally against DNS names.
    EXPECT_EQ(Verdict(authority, good.get(), "127.0.0.1"), X509_V_OK);
    EXPECT_EQ(X509_check_ca(good.get()), 0);

    for (const char* name : {"good.pem", "wrong-host.pem", "expired.pem", "unknown-ca.pem"}) {
        SCOPED_TRACE(name);
        const X509Ptr certificate = Certificate(folder, name);
        ASSERT_TRUE(certificate);
        EXPECT_NE(X509_get_extended_key_usage(certificate.get()) & XKU_SSL_SERVER, 0u);
        const std::string stem = std::string(name).substr(0, std::string(name).size() - 4);
        BioPtr keyFile(BIO_new_file((folder + "/" + stem + ".key").c_str(), "r"));
        const KeyPtr key(PEM_read_bio_PrivateKey(keyFile.get(), nullptr, nullptr, nullptr));
        EXPECT_EQ(X509_check_private_key(certificate.get(), key.get()), 1);
    }

    const X509Ptr wrongHost = Certificate(folder, "wrong-host.pem");
    EXPECT_EQ(Verdict(authority, wrongHost.get(), ""), X509_V_OK);
    EXPECT_EQ(Verdict(authority, wrongHost.get(), kHost), X509_V_ERR_HOSTNAME_MISMATCH);

    const X509Ptr expired = Certificate(folder, "expired.pem");
    EXPECT_LT(X509_cmp_current_time(X509_get0_notAfter(expired.get())), 0);
    EXPECT_EQ(X509_check_host(expired.get(), kHost.c_str(), kHost.size(), 0, nullptr), 1);
    EXPECT_EQ(Verdict(authority, expired.get(), kHost), X509_V_ERR_CERT_HAS_EXPIRED);

    const X509Ptr unknownCa = Certificate(folder, "unknown-ca.pem");
    EXPECT_EQ(Verdict(authority, unknownCa.get(), kHost), X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY);
    EXPECT_EQ(Verdict(folder + "/other-ca.pem", unknownCa.get(), kHost), X509_V_OK);
}

TEST(TestAuthority, ASecondRunChangesNothing) {
    const auto before = Contents(TestCaDir());
    const std::string command = std::string("'") + OW_TEST_CA_SCRIPT + "' '" + TestCaDir() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(Contents(TestCaDir()), before);
}

TEST(TestAuthority, RacingRunsLeaveOneWholeSet) {
    const auto parent = std::filesystem::temp_directory_path() / ("test_ca_race_" + std::to_string(::getpid()));
    std::filesystem::remove_all(parent);
    const std::string folder = (parent / "ca").string();
    const std::string run = std::string("'") + OW_TEST_CA_SCRIPT + "' '" + folder + "'";
    const std::string both = run + " & first=$!; " + run + " & second=$!; wait $first && wait $second";
    ASSERT_EQ(std::system(both.c_str()), 0);
    const X509Ptr good = Certificate(folder, "good.pem");
    ASSERT_TRUE(good);
    EXPECT_EQ(Verdict(folder + "/ca.pem", good.get(), kHost), X509_V_OK);
    // Only the set itself is left, no half-made folder beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(parent), {}), 1);
    std::filesystem::remove_all(parent);
}

TEST(TestAuthority, AFolderNamedRelativeToTheCallerIsMade) {
    const auto parent = std::filesystem::temp_directory_path() / ("test_ca_relative_" + std::to_string(::getpid()));
    std::filesystem::remove_all(parent);
    std::filesystem::create_directories(parent);
    const std::string run = "cd '" + parent.string() + "' && '" + OW_TEST_CA_SCRIPT + "' made/ca";
    ASSERT_EQ(std::system(run.c_str()), 0);
    const std::string folder = (parent / "made" / "ca").string();
    const X509Ptr good = Certificate(folder, "good.pem");
    ASSERT_TRUE(good);
    EXPECT_EQ(Verdict(folder + "/ca.pem", good.get(), kHost), X509_V_OK);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(parent / "made"), {}), 1);
    std::filesystem::remove_all(parent);
}

}  // namespace
}  // namespace ow::sample::testing
