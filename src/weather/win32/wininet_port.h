#pragma once
// The download's port, served by WinInet itself.
#include "weather/core/internet_port.h"

namespace ow {

class WinInetPort final : public InternetPort {
public:
    HInternet Open(const std::string& agent, std::uint32_t accessType, const std::string* proxy) override;
    void SetProxyOption(HInternet internet, const std::string& proxy) override;
    void SetStringOption(HInternet internet, std::uint32_t option, const std::string& text) override;
    HInternet OpenUrl(HInternet internet, const std::string& url, const std::string& headers,
                      std::uint32_t flags) override;
    bool QueryDataAvailable(HInternet url, std::uint32_t& available) override;
    bool ReadFile(HInternet url, char* buffer, std::uint32_t toRead, std::uint32_t& read) override;
    void Close(HInternet handle) override;
    void PumpMessages() override;

private:
    // Each look at the queue is a round trip to the window system; between
    // fast reads it is enough to look every few milliseconds.
    unsigned long lastPump_ = 0;
};

}  // namespace ow
