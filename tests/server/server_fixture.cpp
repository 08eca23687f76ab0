#include "server_fixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "common/cp1251.h"
#include "weather_document.h"

namespace ow::sample::testing {

std::string RawExchange(int port, std::string_view request, std::chrono::milliseconds timeout) {
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    if (sock < 0) return {};
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string received;
    if (::connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::send(sock, request.data(), request.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(request.size())) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        char buffer[4096];
        while (std::chrono::steady_clock::now() < deadline) {
            pollfd entry{sock, POLLIN, 0};
            if (::poll(&entry, 1, 50) <= 0) continue;
            const ssize_t n = ::recv(sock, buffer, sizeof buffer, 0);
            if (n <= 0) break;
            received.append(buffer, static_cast<std::size_t>(n));
        }
    }
    ::close(sock);
    return received;
}

std::string_view RawBody(std::string_view response) {
    const auto end = response.find("\r\n\r\n");
    return end == std::string_view::npos ? response : response.substr(end + 4);
}

void ServerTest::Restart(ServerConfig config) {
    if (server_) server_->Stop();
    server_ = std::make_unique<SampleServer>(std::move(config));
    std::string error;
    ASSERT_TRUE(server_->Start(&error)) << error;
}

std::unique_ptr<httplib::Client> ServerTest::Client() const {
    auto client = std::make_unique<httplib::Client>("127.0.0.1", port());
    client->set_connection_timeout(std::chrono::seconds(2));
    client->set_read_timeout(std::chrono::seconds(5));
    client->set_write_timeout(std::chrono::seconds(5));
    return client;
}

httplib::Result ServerTest::Get(const std::string& target, const httplib::Headers& headers) const {
    return Client()->Get(target, headers);
}

std::string ServerTest::Control(const std::string& pathAndQuery) const {
    auto result = Get("/__control/" + pathAndQuery);
    EXPECT_TRUE(result) << pathAndQuery;
    if (!result) return {};
    EXPECT_EQ(result->status, 200) << pathAndQuery << ": " << result->body;
    return result->body;
}

std::string InformerFor30710() {
    static constexpr auto kIrkutsk = Cp1251(u8"Иркутск");
    return BuildWeatherDocument(Source::Informer, kIrkutsk.view(), "30710", kDefaultForecastDate).parts.Whole();
}

std::string FeedFor30710() {
    return BuildWeatherDocument(Source::Feed, "Irkutsk", "30710", kDefaultForecastDate).parts.Whole();
}

}  // namespace ow::sample::testing
