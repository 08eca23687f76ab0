#pragma once
// The narrow door between the forecast download and the network: one method
// per WinInet call the download makes, plus the message pump it runs between
// reads. The Windows side is WinInet itself; tests script a fake.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace ow {

// An opaque WinInet handle (pointer-sized); 0 means failure / none.
using HInternet = std::uintptr_t;
inline constexpr HInternet kNoInternetHandle = 0;

inline constexpr std::string_view kUserAgent = "Mozilla";
inline constexpr std::uint32_t kOpenTypeDirect = 1;          // INTERNET_OPEN_TYPE_DIRECT
inline constexpr std::uint32_t kOpenTypeProxy = 3;           // INTERNET_OPEN_TYPE_PROXY
inline constexpr std::uint32_t kOptionProxy = 38;            // INTERNET_OPTION_PROXY
inline constexpr std::uint32_t kOptionProxyUsername = 43;    // INTERNET_OPTION_PROXY_USERNAME
inline constexpr std::uint32_t kOptionProxyPassword = 44;    // INTERNET_OPTION_PROXY_PASSWORD
inline constexpr std::uint32_t kFlagReload = 0x80000000u;    // INTERNET_FLAG_RELOAD
inline constexpr std::uint32_t kFlagSecure = 0x00800000u;    // INTERNET_FLAG_SECURE
inline constexpr std::uint32_t kFlagNoCacheWrite = 0x04000000u;  // INTERNET_FLAG_NO_CACHE_WRITE
inline constexpr std::uint32_t kFlagNoCookies = 0x00080000u;     // INTERNET_FLAG_NO_COOKIES
inline constexpr std::uint32_t kFlagNoUi = 0x00000200u;          // INTERNET_FLAG_NO_UI
inline constexpr std::uint32_t kFlagPragmaNoCache = 0x00000100u;  // INTERNET_FLAG_PRAGMA_NOCACHE
inline constexpr std::uint32_t kFlagNoAuth = 0x00040000u;          // INTERNET_FLAG_NO_AUTH
inline constexpr std::uint32_t kFlagNoAutoRedirect = 0x00200000u;  // INTERNET_FLAG_NO_AUTO_REDIRECT
inline constexpr std::uint16_t kHttpsPort = 443;              // INTERNET_DEFAULT_HTTPS_PORT
inline constexpr std::uint32_t kStatusProxyAuthRequired = 407;  // HTTP_STATUS_PROXY_AUTH_REQ
inline constexpr std::uint32_t kReadSize = 2048;             // most bytes asked of one read
// The longest a whole download may take, from its first call to its last:
// past it the download ends as a connection error, whatever WinInet is
// still doing.
inline constexpr std::uint32_t kDownloadDeadlineMs = 60000;
inline constexpr std::string_view kAcceptHeader = "Accept: */*";
inline constexpr std::string_view kProxyAuthorizationPrefix = "Proxy-Authorization: Basic ";

// Work too long for the messenger's thread (reading a whole document). It owns
// whatever it reads and writes, since nobody may wait for it to end.
class AsideWork {
public:
    virtual ~AsideWork() = default;
    virtual void Run() noexcept = 0;
};

// Texts are passed as std::string so the Windows side can hand WinInet a
// zero-terminated buffer together with its length in bytes.
class InternetPort {
public:
    virtual ~InternetPort() = default;

    // InternetOpenA(agent, accessType, proxy or null, null bypass, flags 0).
    virtual HInternet Open(const std::string& agent, std::uint32_t accessType, const std::string* proxy) = 0;

    // InternetSetOptionA(internet, kOptionProxy, record, size of record); the
    // implementation builds INTERNET_PROXY_INFO with access type 3, `proxy` as
    // the proxy list and an empty (not null) bypass list. Result ignored.
    virtual void SetProxyOption(HInternet internet, const std::string& proxy) = 0;

    // InternetSetOptionA(internet, option, text, length of text in bytes), for
    // kOptionProxyUsername and kOptionProxyPassword. Result ignored.
    virtual void SetStringOption(HInternet internet, std::uint32_t option, const std::string& text) = 0;

    // InternetOpenUrlA(internet, url, headers, length of headers, flags, context 0).
    virtual HInternet OpenUrl(HInternet internet, const std::string& url, const std::string& headers,
                              std::uint32_t flags) = 0;

    // The request one step at a time, for HTTPS, where a proxy's refusal of
    // the tunnel must be answered by sending again:
    // InternetConnectA(internet, host, port, null, null, INTERNET_SERVICE_HTTP, 0, 0);
    virtual HInternet Connect(HInternet internet, const std::string& host, std::uint16_t port) = 0;
    // HttpOpenRequestA(connection, "GET", object, null, null, null, flags, 0);
    virtual HInternet OpenRequest(HInternet connection, const std::string& object, std::uint32_t flags) = 0;
    // HttpSendRequestA(request, headers, length of headers, null, 0);
    virtual bool SendRequest(HInternet request, const std::string& headers) = 0;
    // HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER): 0 when unknown.
    virtual std::uint32_t StatusCode(HInternet request) = 0;
    // Whether the request handle holds the server's certificate, i.e. its
    // answer came through a verified TLS connection to the server, not from
    // a proxy refusing the tunnel: InternetQueryOptionA(request,
    // INTERNET_OPTION_SECURITY_CERTIFICATE_STRUCT) succeeds.
    virtual bool ServerCertificate(HInternet request) = 0;

    // InternetQueryDataAvailable(url, &available, 0, 0); `url` is OpenUrl's or
    // OpenRequest's handle, as for the reads.
    virtual bool QueryDataAvailable(HInternet url, std::uint32_t& available) = 0;

    // InternetReadFile(url, buffer, toRead, &read); `buffer` holds toRead bytes.
    virtual bool ReadFile(HInternet url, char* buffer, std::uint32_t toRead, std::uint32_t& read) = 0;

    // InternetCloseHandle(handle), on the download's own thread: closing may
    // read what is left of a body, and that must not hold this one.
    virtual void Close(HInternet handle) = 0;

    // Runs `work` on the download's own thread, opened with `internet`, while
    // this thread's messages are dispatched. False when it could not be run or
    // was given up (finalisation, the messenger quitting, the deadline); the
    // work may then still run, on data it owns.
    virtual bool RunAside(HInternet internet, std::shared_ptr<AsideWork> work) = 0;

    // Dispatch every window message waiting in this thread's queue. May run a
    // nested download or the plug-in's finalisation.
    virtual void PumpMessages() = 0;
};

}  // namespace ow
