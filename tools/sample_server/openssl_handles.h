#pragma once
// Owners for the OpenSSL objects the server keeps.
#include <memory>

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

namespace ow::sample {

template <auto Free>
struct OpenSslFree {
    template <class T>
    void operator()(T* object) const {
        Free(object);
    }
};

using SslContextPtr = std::unique_ptr<SSL_CTX, OpenSslFree<SSL_CTX_free>>;
using SslPtr = std::unique_ptr<SSL, OpenSslFree<SSL_free>>;
using X509Ptr = std::unique_ptr<X509, OpenSslFree<X509_free>>;
using KeyPtr = std::unique_ptr<EVP_PKEY, OpenSslFree<EVP_PKEY_free>>;
using BioPtr = std::unique_ptr<BIO, OpenSslFree<BIO_free_all>>;

}  // namespace ow::sample
