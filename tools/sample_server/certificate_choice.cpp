#include "certificate_choice.h"

#include <array>

namespace ow::sample {
namespace {

constexpr std::array<std::string_view, kCertificateCount> kNames = {"good", "wrong-host", "expired", "unknown-ca"};

}  // namespace

std::optional<Certificate> ParseCertificate(std::string_view name) {
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == name) return static_cast<Certificate>(i);
    return std::nullopt;
}

std::string_view CertificateName(Certificate certificate) { return kNames[static_cast<std::size_t>(certificate)]; }

std::string CertificateNames() {
    std::string text;
    for (std::string_view name : kNames) text += (text.empty() ? "" : ", ") + std::string(name);
    return text;
}

}  // namespace ow::sample
