#include "tls_identities.h"

#include <openssl/pem.h>

#include <filesystem>

namespace ow::sample {

bool TlsIdentities::Load(const std::string& folder, std::string* error) {
    for (int i = 0; i < kCertificateCount; ++i) {
        const std::string stem = std::string(CertificateName(static_cast<Certificate>(i)));
        const auto base = std::filesystem::path(folder) / stem;
        BioPtr certificateFile(BIO_new_file((base.string() + ".pem").c_str(), "r"));
        BioPtr keyFile(BIO_new_file((base.string() + ".key").c_str(), "r"));
        Identity& identity = identities_[static_cast<std::size_t>(i)];
        if (certificateFile) identity.certificate.reset(PEM_read_bio_X509(certificateFile.get(), nullptr, nullptr, nullptr));
        if (keyFile) identity.key.reset(PEM_read_bio_PrivateKey(keyFile.get(), nullptr, nullptr, nullptr));
        if (!identity.certificate || !identity.key ||
            X509_check_private_key(identity.certificate.get(), identity.key.get()) != 1) {
            *error = "no certificate and key " + stem + ".pem and " + stem + ".key in " + folder;
            return false;
        }
    }
    context_.reset(SSL_CTX_new(TLS_server_method()));
    if (!context_) {
        *error = "OpenSSL can't make a TLS context";
        return false;
    }
    SSL_CTX_set_min_proto_version(context_.get(), TLS1_2_VERSION);
    SSL_CTX_set_session_cache_mode(context_.get(), SSL_SESS_CACHE_OFF);
    SSL_CTX_set_options(context_.get(), SSL_OP_NO_TICKET);
    SSL_CTX_set_num_tickets(context_.get(), 0);
    return true;
}

SslPtr TlsIdentities::NewSession(Certificate certificate) const {
    if (!context_) return nullptr;
    SslPtr session(SSL_new(context_.get()));
    const Identity& identity = identities_[static_cast<std::size_t>(certificate)];
    if (!session || SSL_use_certificate(session.get(), identity.certificate.get()) != 1 ||
        SSL_use_PrivateKey(session.get(), identity.key.get()) != 1)
        return nullptr;
    return session;
}

}  // namespace ow::sample
