#include "weather/win32/wininet_port.h"

#include <windows.h>
#include <wininet.h>

#include "host/win32/message_pump.h"

namespace ow {

namespace {
HINTERNET Handle(HInternet h) { return reinterpret_cast<HINTERNET>(h); }
HInternet Value(HINTERNET h) { return reinterpret_cast<HInternet>(h); }
}  // namespace

HInternet WinInetPort::Open(const std::string& agent, std::uint32_t accessType, const std::string* proxy) {
    return Value(InternetOpenA(agent.c_str(), accessType, proxy != nullptr ? proxy->c_str() : nullptr, nullptr, 0));
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

HInternet WinInetPort::OpenUrl(HInternet internet, const std::string& url, const std::string& headers,
                               std::uint32_t flags) {
    return Value(InternetOpenUrlA(Handle(internet), url.c_str(), headers.c_str(), static_cast<DWORD>(headers.size()),
                                  flags, 0));
}

bool WinInetPort::QueryDataAvailable(HInternet url, std::uint32_t& available) {
    DWORD count = 0;
    const bool ok = InternetQueryDataAvailable(Handle(url), &count, 0, 0) != FALSE;
    available = ok ? count : 0;
    return ok;
}

bool WinInetPort::ReadFile(HInternet url, char* buffer, std::uint32_t toRead, std::uint32_t& read) {
    DWORD got = 0;
    const bool ok = InternetReadFile(Handle(url), buffer, toRead, &got) != FALSE;
    read = ok ? got : 0;
    return ok;
}

void WinInetPort::Close(HInternet handle) { InternetCloseHandle(Handle(handle)); }

void WinInetPort::PumpMessages() {
    constexpr DWORD kPumpEveryMs = 10;
    const DWORD now = GetTickCount();
    if (now - lastPump_ < kPumpEveryMs) return;
    PumpPendingMessages();
    lastPump_ = GetTickCount();
}

}  // namespace ow
