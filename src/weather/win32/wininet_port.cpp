#include "weather/win32/wininet_port.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstring>

#include "common/win32/message_pump.h"

namespace ow {

namespace {
HINTERNET Handle(HInternet h) { return reinterpret_cast<HINTERNET>(h); }
HInternet Value(HINTERNET h) { return reinterpret_cast<HInternet>(h); }
}  // namespace

WinInetPort::WinInetPort() = default;
WinInetPort::~WinInetPort() = default;

WinInetPort::Download* WinInetPort::Find(HInternet handle) {
    if (handle == kNoInternetHandle) return nullptr;
    for (const auto& download : downloads_)
        if (download->internet == handle || download->connection == handle || download->url == handle)
            return download.get();
    return nullptr;
}

HInternet WinInetPort::Open(const std::string& agent, std::uint32_t accessType, const std::string* proxy) {
    auto download = std::make_unique<Download>();
    download->worker = InternetWorker::Start();
    if (!download->worker) return kNoInternetHandle;
    download->deadline = GetTickCount() + kDownloadDeadlineMs;
    // Room first: nothing is open yet should that fail.
    downloads_.reserve(downloads_.size() + 1);
    download->internet =
        Value(InternetOpenA(agent.c_str(), accessType, proxy != nullptr ? proxy->c_str() : nullptr, nullptr, 0));
    if (download->internet == kNoInternetHandle) return kNoInternetHandle;
    downloads_.push_back(std::move(download));
    return downloads_.back()->internet;
}

void WinInetPort::SetProxyOption(HInternet internet, const std::string& proxy) {
    INTERNET_PROXY_INFO info = {};
    info.dwAccessType = INTERNET_OPEN_TYPE_PROXY;
    info.lpszProxy = reinterpret_cast<LPCTSTR>(proxy.c_str());
    info.lpszProxyBypass = reinterpret_cast<LPCTSTR>("");
    InternetSetOptionA(Handle(internet), INTERNET_OPTION_PROXY, &info, sizeof info);
}

void WinInetPort::SetStringOption(HInternet internet, std::uint32_t option, const std::string& text) {
    InternetSetOptionA(Handle(internet), option, const_cast<char*>(text.c_str()), static_cast<DWORD>(text.size()));
}

bool WinInetPort::RunOnWorker(HInternet handle, InternetCall& call) {
    Download* download = Find(handle);
    if (download == nullptr) return false;
    call.handle = Handle(handle);
    // The worker itself, not the record: a message dispatched meanwhile may
    // close the download, but its worker is only let go later.
    return download->worker->Run(call, download->deadline);
}

HInternet WinInetPort::OpenUrl(HInternet internet, const std::string& url, const std::string& headers,
                               std::uint32_t flags) {
    InternetCall call;
    call.kind = InternetCall::Kind::OpenUrl;
    call.url = url;
    call.headers = headers;
    call.flags = flags;
    if (!RunOnWorker(internet, call)) return kNoInternetHandle;
    const HInternet opened = Value(call.opened);
    if (Download* download = Find(internet)) download->url = opened;
    return opened;
}

// Neither of these two waits on the network: they only make handles.
HInternet WinInetPort::Connect(HInternet internet, const std::string& host, std::uint16_t port) {
    Download* download = Find(internet);
    if (download == nullptr) return kNoInternetHandle;
    download->connection = Value(
        InternetConnectA(Handle(internet), host.c_str(), port, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    return download->connection;
}

HInternet WinInetPort::OpenRequest(HInternet connection, const std::string& object, std::uint32_t flags) {
    Download* download = Find(connection);
    if (download == nullptr) return kNoInternetHandle;
    download->url =
        Value(HttpOpenRequestA(Handle(connection), "GET", object.c_str(), nullptr, nullptr, nullptr, flags, 0));
    return download->url;
}

bool WinInetPort::SendRequest(HInternet request, const std::string& headers) {
    InternetCall call;
    call.kind = InternetCall::Kind::SendRequest;
    call.headers = headers;
    return RunOnWorker(request, call) && call.ok != FALSE;
}

// The answer's head is in by now: no wait.
std::uint32_t WinInetPort::StatusCode(HInternet request) {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!HttpQueryInfoA(Handle(request), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return 0;
    return status;
}

bool WinInetPort::ServerCertificate(HInternet request) {
    // Only a connection made secure can hold one; and some WinInets (Wine's)
    // fault when asked for the certificate of a plain one, such as the
    // proxy's after it refused the tunnel.
    DWORD flags = 0;
    DWORD flagsSize = sizeof flags;
    if (!InternetQueryOptionA(Handle(request), INTERNET_OPTION_SECURITY_FLAGS, &flags, &flagsSize) ||
        (flags & SECURITY_FLAG_SECURE) == 0)
        return false;
    // The ANSI call fills the record with ANSI texts, whatever LPTSTR says here.
    INTERNET_CERTIFICATE_INFO info = {};
    DWORD size = sizeof info;
    if (!InternetQueryOptionA(Handle(request), INTERNET_OPTION_SECURITY_CERTIFICATE_STRUCT, &info, &size)) return false;
    // The texts are the caller's to free.
    for (void* text : {info.lpszSubjectInfo, info.lpszIssuerInfo, info.lpszProtocolName, info.lpszSignatureAlgName,
                       info.lpszEncryptionAlgName})
        if (text != nullptr) LocalFree(static_cast<HLOCAL>(text));
    return true;
}

bool WinInetPort::QueryDataAvailable(HInternet url, std::uint32_t& available) {
    InternetCall call;
    call.kind = InternetCall::Kind::QueryDataAvailable;
    const bool ok = RunOnWorker(url, call) && call.ok != FALSE;
    available = ok ? call.count : 0;
    return ok;
}

bool WinInetPort::ReadFile(HInternet url, char* buffer, std::uint32_t toRead, std::uint32_t& read) {
    InternetCall call;
    call.kind = InternetCall::Kind::ReadFile;
    call.toRead = std::min(toRead, kReadSize);
    const bool ok = RunOnWorker(url, call) && call.ok != FALSE;
    read = ok ? std::min<std::uint32_t>(call.count, call.toRead) : 0;
    if (read > 0) std::memcpy(buffer, call.buffer.data(), read);
    return ok;
}

void WinInetPort::Close(HInternet handle) {
    Download* download = Find(handle);
    if (download == nullptr) return;  // only a download's own handles are ever closed here
    download->worker->Close(Handle(handle));
    if (handle == download->url) {
        download->url = kNoInternetHandle;
    } else if (handle == download->connection) {
        download->connection = kNoInternetHandle;
    } else {
        // Erasing allocates nothing: safe in the handles' destructor.
        std::erase_if(downloads_, [download](const auto& d) { return d.get() == download; });
    }
}

bool WinInetPort::RunAside(HInternet internet, std::shared_ptr<AsideWork> work) {
    InternetCall call;
    call.kind = InternetCall::Kind::Aside;
    call.work = std::move(work);
    return RunOnWorker(internet, call);
}

void WinInetPort::PumpMessages() {
    constexpr DWORD kPumpEveryMs = 10;
    const DWORD now = GetTickCount();
    if (now - lastPump_ < kPumpEveryMs) return;
    PumpPendingMessages();
    lastPump_ = GetTickCount();
}

}  // namespace ow
