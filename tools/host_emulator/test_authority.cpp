#include "test_authority.h"

#include <windows.h>
#include <wincrypt.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "wine_path.h"

namespace host {

bool TrustTestAuthority(const std::string& windowsPath) {
    std::ifstream file(windowsPath, std::ios::binary);
    const std::vector<BYTE> der((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (der.empty()) return false;
    HCERTSTORE root = CertOpenStore(CERT_STORE_PROV_SYSTEM_A, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, "Root");
    if (root == nullptr) return false;
    const BOOL added = CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, der.data(),
                                                        static_cast<DWORD>(der.size()),
                                                        CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    CertCloseStore(root, 0);
    return added != FALSE;
}

std::string TestAuthorityFromEnvironment() {
    const char* dir = std::getenv("OW_TLS_DIR");
    if (dir == nullptr || *dir == '\0') return {};
    return WinePath(std::string(dir) + "/ca.der");
}

}  // namespace host
