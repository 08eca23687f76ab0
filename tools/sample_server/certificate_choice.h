#pragma once
// The server certificates the TLS origin can present, by the names the
// control endpoint and the command line use; each is also the stem of its
// files in the folder tools/scripts/test_ca.sh writes.
#include <optional>
#include <string>
#include <string_view>

namespace ow::sample {

enum class Certificate {
    Good,       // the Open-Meteo host, from the test authority
    WrongHost,  // valid, from the same authority, for another name only
    Expired,    // as good, but its validity ended years ago
    UnknownCa,  // as good, from an authority nobody trusts
};
inline constexpr int kCertificateCount = 4;

std::optional<Certificate> ParseCertificate(std::string_view name);
std::string_view CertificateName(Certificate certificate);

// "good, wrong-host, expired, unknown-ca"
std::string CertificateNames();

}  // namespace ow::sample
