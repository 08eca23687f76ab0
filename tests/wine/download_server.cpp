#include "download_server.h"

#include "prefs/core/text_lines.h"

// Winsock 2 before windows.h, which would otherwise bring in the old winsock.
#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace wine_tests {

namespace {

constexpr DWORD kControlTimeoutMs = 10000;

class WinsockSession {
public:
    WinsockSession() { ok_ = WSAStartup(MAKEWORD(2, 2), &data_) == 0; }
    ~WinsockSession() {
        if (ok_) WSACleanup();
    }
    bool ok() const { return ok_; }

private:
    WSADATA data_{};
    bool ok_ = false;
};

SOCKET ConnectLoopback(int port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return s;
    const DWORD timeout = kControlTimeoutMs;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

// One HTTP/1.1 exchange on its own connection; the raw answer.
std::string Exchange(int port, const std::string& request) {
    WinsockSession session;
    if (!session.ok()) return {};
    SOCKET s = ConnectLoopback(port);
    if (s == INVALID_SOCKET) return {};
    std::string answer;
    if (send(s, request.data(), static_cast<int>(request.size()), 0) == static_cast<int>(request.size())) {
        char buffer[4096];
        for (;;) {
            const int n = recv(s, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            answer.append(buffer, static_cast<std::size_t>(n));
        }
    }
    closesocket(s);
    return answer;
}

struct InternetHandle {
    HINTERNET h = nullptr;
    explicit InternetHandle(HINTERNET handle) : h(handle) {}
    ~InternetHandle() {
        if (h != nullptr) InternetCloseHandle(h);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
};

}  // namespace

int RecordedRequest::CountExact(const std::string& header) const {
    int n = 0;
    for (const auto& h : headers) n += h == header ? 1 : 0;
    return n;
}

int RecordedRequest::CountPrefix(const std::string& prefix) const {
    int n = 0;
    for (const auto& h : headers) n += h.compare(0, prefix.size(), prefix) == 0 ? 1 : 0;
    return n;
}

std::vector<std::string> HeadersBeyond(const RecordedRequest& a, const RecordedRequest& b) {
    std::vector<std::string> mine = a.headers, other = b.headers;
    std::sort(mine.begin(), mine.end());
    std::sort(other.begin(), other.end());
    std::vector<std::string> difference;
    std::set_difference(mine.begin(), mine.end(), other.begin(), other.end(), std::back_inserter(difference));
    return difference;
}

std::optional<int> SampleServerControl::PortFromEnvironment() {
    const char* text = std::getenv("OW_SERVER_PORT");
    if (text == nullptr || *text == '\0') return std::nullopt;
    const int port = std::atoi(text);
    if (port <= 0 || port > 65535) return std::nullopt;
    return port;
}

std::optional<std::string> SampleServerControl::Control(const std::string& command) const {
    const std::string answer = Exchange(port_, "GET /__control/" + command +
                                                   " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    if (answer.compare(0, 12, "HTTP/1.1 200") != 0) return std::nullopt;
    const auto bodyStart = answer.find("\r\n\r\n");
    if (bodyStart == std::string::npos) return std::nullopt;
    return answer.substr(bodyStart + 4);
}

bool SampleServerControl::SetMode(const std::string& query) const { return Control("mode?" + query).has_value(); }

bool SampleServerControl::SetCredentials(const std::string& userColonPass) const {
    return Control("auth?credentials=" + userColonPass).has_value();
}

bool SampleServerControl::ClearRecord() const { return Control("clear").has_value(); }

std::vector<RecordedRequest> SampleServerControl::Requests() const {
    std::vector<RecordedRequest> requests;
    const auto text = Control("requests");
    if (!text) return requests;
    // Each request: its line, its headers, then an empty line.
    RecordedRequest current;
    for (const std::string& line : ow::SplitLines(*text)) {
        if (line.empty()) {
            if (!current.line.empty()) requests.push_back(current);
            current = RecordedRequest{};
        } else if (current.line.empty()) {
            current.line = line;
        } else {
            current.headers.push_back(line);
        }
    }
    if (!current.line.empty()) requests.push_back(current);
    return requests;
}

std::optional<std::uint64_t> BareWinInetGet(const std::string& proxy, const std::string& url, std::string* body,
                                            std::uint32_t pieceSize) {
    InternetHandle internet(proxy.empty()
                                ? InternetOpenA("Mozilla", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0)
                                : InternetOpenA("Mozilla", INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), nullptr, 0));
    if (internet.h == nullptr) return std::nullopt;
    InternetHandle request(InternetOpenUrlA(internet.h, url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0));
    if (request.h == nullptr) return std::nullopt;
    std::vector<char> buffer(pieceSize);
    std::uint64_t total = 0;
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.h, buffer.data(), pieceSize, &read) || read == 0) break;
        total += read;
        if (body != nullptr) body->append(buffer.data(), read);
    }
    return total;
}

Settings ProxySettings(int port) {
    return {
        {"resource", "0"},     {"city", "0"},           {"autoupdate", "0"},
        {"bar-section", "2"},  {"bar-refresh", "0"},    {"old-style", "0"},
        {"use-scroll", "0"},   {"use-proxy", "1"},      {"proxy-host", "127.0.0.1"},
        {"proxy-port", std::to_string(port)},           {"proxy-auth", "0"},
        {"proxy-login", ""},   {"proxy-pass", ""},      {"use-scroll-speed", "5"},
    };
}

std::string SettingsFileText(const Settings& settings) {
    std::string text;
    for (const auto& [key, value] : settings) text += key + "=" + value + "\r\n";
    return text;
}

int UnusedLoopbackPort() {
    WinsockSession session;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(s);
    return ntohs(address.sin_port);
}

}  // namespace wine_tests
