#pragma once
// The download's port, served by WinInet itself. The calls that may wait on
// the network run on the download's own worker thread while the host's thread
// dispatches its messages; the others run on the host's thread.
#include <memory>
#include <vector>

#include "weather/core/internet_port.h"
#include "weather/win32/internet_worker.h"

namespace ow {

class WinInetPort final : public InternetPort {
public:
    WinInetPort();
    ~WinInetPort() override;

    // Also starts the download's worker: without one there is no download.
    HInternet Open(const std::string& agent, std::uint32_t accessType, const std::string* proxy) override;
    void SetProxyOption(HInternet internet, const std::string& proxy) override;
    void SetStringOption(HInternet internet, std::uint32_t option, const std::string& text) override;
    HInternet OpenUrl(HInternet internet, const std::string& url, const std::string& headers,
                      std::uint32_t flags) override;
    HInternet Connect(HInternet internet, const std::string& host, std::uint16_t port) override;
    HInternet OpenRequest(HInternet connection, const std::string& object, std::uint32_t flags) override;
    bool SendRequest(HInternet request, const std::string& headers) override;
    std::uint32_t StatusCode(HInternet request) override;
    bool ServerCertificate(HInternet request) override;
    bool QueryDataAvailable(HInternet url, std::uint32_t& available) override;
    bool ReadFile(HInternet url, char* buffer, std::uint32_t toRead, std::uint32_t& read) override;
    // Closing any handle of a download also ends, at once, the wait for a
    // call of that download still under way (the call then fails here); the
    // worker closes the handle once that call has returned. Closing the
    // Internet handle ends the download and lets its worker go.
    void Close(HInternet handle) override;
    bool RunAside(HInternet internet, std::shared_ptr<AsideWork> work) override;
    void PumpMessages() override;

private:
    struct Download {
        HInternet internet = kNoInternetHandle;
        HInternet connection = kNoInternetHandle;
        HInternet url = kNoInternetHandle;  // or request
        std::unique_ptr<InternetWorker> worker;
        unsigned long deadline = 0;  // GetTickCount time at which the download gives up
    };
    Download* Find(HInternet handle);
    // Runs the call on the download's worker; false when it could not be made
    // or was given up.
    bool RunOnWorker(HInternet handle, InternetCall& call);

    std::vector<std::unique_ptr<Download>> downloads_;
    // Each look at the queue is a round trip to the window system; between
    // fast reads it is enough to look every few milliseconds.
    unsigned long lastPump_ = 0;
};

}  // namespace ow
