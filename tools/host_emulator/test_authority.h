#pragma once
// The tests' own certificate authority, trusted by the Wine prefix the
// program runs in (its machine Root store) and nowhere else.
#include <string>

namespace host {

// Adds the DER certificate at `windowsPath` to the local machine's Root store.
// True when it is there afterwards.
bool TrustTestAuthority(const std::string& windowsPath);

// OW_TLS_DIR's ca.der as a Windows path; empty when OW_TLS_DIR is not set.
std::string TestAuthorityFromEnvironment();

}  // namespace host
