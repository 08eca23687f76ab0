#pragma once
// The TLS settings of the server's own HTTPS origin and the certificates it
// can present, loaded once from the folder tools/scripts/test_ca.sh writes.
// Sessions are never resumed: each handshake presents the certificate chosen
// at that moment, so a client can't skip the check of a newly chosen one.
#include <array>
#include <string>

#include "certificate_choice.h"
#include "openssl_handles.h"

namespace ow::sample {

class TlsIdentities {
public:
    // False, with a reason in error, when a certificate or key is missing,
    // unreadable or not a pair.
    bool Load(const std::string& folder, std::string* error);

    // A server-side session presenting certificate; null when OpenSSL can't
    // make one.
    SslPtr NewSession(Certificate certificate) const;

private:
    struct Identity {
        X509Ptr certificate;
        KeyPtr key;
    };
    SslContextPtr context_;
    std::array<Identity, kCertificateCount> identities_;
};

}  // namespace ow::sample
