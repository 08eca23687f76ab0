#pragma once
// A scripted stand-in for WinInet that records every call the download makes,
// and a rig that runs FetchWeather against it.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/display_state.h"
#include "common/working_values.h"
#include "weather/core/fetch_handles.h"
#include "weather/core/fetch_weather.h"
#include "weather/core/internet_port.h"
#include "weather/core/weather_sources.h"

namespace ow::fetch_test {

// What one InternetOpenUrlA call finds on the other side.
struct ScriptedResponse {
    bool failOpenUrl = false;
    std::vector<std::string> packets;  // arrive one at a time; a query reports what is left of the current one
    int failQueryAt = -1;              // 0-based query on this handle that fails
    int failReadAt = -1;               // 0-based read on this handle that fails
    int zeroReadAt = -1;               // 0-based read on this handle that succeeds with 0 bytes
    // HTTPS requests: the status after each send (the last repeats), and a
    // send that fails (0-based), as a certificate that does not verify does.
    std::vector<std::uint32_t> statuses = {200};
    int failSendAt = -1;
    std::vector<bool> secure = {true};  // whether each send's answer came through the verified tunnel (the last repeats)
};

class FakeInternetPort : public InternetPort {
public:
    struct OpenCall {
        std::string agent;
        std::uint32_t accessType;
        std::optional<std::string> proxy;
    };
    struct OptionCall {
        HInternet handle;
        std::uint32_t option;
        std::string text;
        bool operator==(const OptionCall&) const = default;
    };
    struct UrlCall {
        HInternet internet;
        std::string url;
        std::string headers;
        std::uint32_t flags;
    };
    struct ReadCall {
        HInternet handle;
        std::uint32_t asked;
    };
    struct ConnectCall {
        HInternet internet;
        std::string host;
        std::uint16_t port;
    };
    struct RequestCall {
        HInternet connection;
        std::string object;
        std::uint32_t flags;
    };
    struct SendCall {
        HInternet request;
        std::string headers;
    };

    // Script.
    bool failOpen = false;
    std::deque<ScriptedResponse> responses;  // taken one per OpenUrl
    std::function<void()> onPump;
    // Runs while OpenUrl waits, as the thread's messages do; a call whose
    // handle was closed meanwhile gives up and fails, as the real port's does.
    std::function<void()> whileOpeningUrl;

    // Record.
    std::vector<OpenCall> opens;
    std::vector<OptionCall> options;  // SetProxyOption is recorded as kOptionProxy with the proxy text
    std::vector<UrlCall> urls;
    std::vector<ConnectCall> connects;
    std::vector<RequestCall> requests;
    std::vector<SendCall> sends;
    std::function<void()> whileSending;  // runs during each send, as the thread's messages do
    std::vector<HInternet> internetHandles;  // as returned by Open, in order
    std::vector<HInternet> urlHandles;       // as returned by OpenUrl, in order
    std::vector<ReadCall> reads;
    std::vector<HInternet> closes;
    std::vector<std::string> faults;  // misuse: a call on a handle that is not open, a spinning loop
    int pumps = 0;
    int asides = 0;           // work run on the download's own thread
    bool failAside = false;   // that work is given up

    bool AllClosed() const { return open_.empty(); }
    std::vector<std::uint32_t> ReadSizes() const {
        std::vector<std::uint32_t> sizes;
        for (const ReadCall& read : reads) sizes.push_back(read.asked);
        return sizes;
    }

    HInternet Open(const std::string& agent, std::uint32_t accessType, const std::string* proxy) override {
        opens.push_back({agent, accessType, proxy ? std::optional<std::string>(*proxy) : std::nullopt});
        if (failOpen) return kNoInternetHandle;
        const HInternet handle = NewHandle();
        internetHandles.push_back(handle);
        return handle;
    }

    void SetProxyOption(HInternet internet, const std::string& proxy) override {
        CheckOpen(internet, "SetProxyOption");
        options.push_back({internet, kOptionProxy, proxy});
    }

    void SetStringOption(HInternet internet, std::uint32_t option, const std::string& text) override {
        CheckOpen(internet, "SetStringOption");
        options.push_back({internet, option, text});
    }

    HInternet OpenUrl(HInternet internet, const std::string& url, const std::string& headers,
                      std::uint32_t flags) override {
        CheckOpen(internet, "OpenUrl");
        urls.push_back({internet, url, headers, flags});
        if (whileOpeningUrl) {
            whileOpeningUrl();
            if (!open_.count(internet)) return kNoInternetHandle;
        }
        ScriptedResponse response = NextResponse();
        if (response.failOpenUrl) return kNoInternetHandle;
        const HInternet handle = NewHandle();
        urlHandles.push_back(handle);
        streams_[handle] = Stream{std::move(response)};
        return handle;
    }

    HInternet Connect(HInternet internet, const std::string& host, std::uint16_t port) override {
        CheckOpen(internet, "Connect");
        connects.push_back({internet, host, port});
        return NewHandle();
    }

    HInternet OpenRequest(HInternet connection, const std::string& object, std::uint32_t flags) override {
        CheckOpen(connection, "OpenRequest");
        requests.push_back({connection, object, flags});
        const HInternet handle = NewHandle();
        urlHandles.push_back(handle);
        streams_[handle] = Stream{NextResponse()};
        return handle;
    }

    bool SendRequest(HInternet request, const std::string& headers) override {
        sends.push_back({request, headers});
        if (whileSending) whileSending();
        Stream* stream = StreamOf(request, "SendRequest");
        if (!stream) return false;
        // Each answer brings the scripted body anew.
        stream->packet = 0;
        stream->offset = 0;
        return stream->sends++ != stream->script.failSendAt;
    }

    bool ServerCertificate(HInternet request) override {
        Stream* stream = StreamOf(request, "ServerCertificate");
        if (stream == nullptr || stream->sends == 0 || stream->script.secure.empty()) return false;
        const auto& secure = stream->script.secure;
        return secure[std::min<std::size_t>(stream->sends, secure.size()) - 1];
    }

    std::uint32_t StatusCode(HInternet request) override {
        Stream* stream = StreamOf(request, "StatusCode");
        if (!stream || stream->sends == 0) return 0;
        const auto& statuses = stream->script.statuses;
        return statuses.empty() ? 0 : statuses[std::min<std::size_t>(stream->sends, statuses.size()) - 1];
    }

    bool QueryDataAvailable(HInternet url, std::uint32_t& available) override {
        Stream* stream = StreamOf(url, "QueryDataAvailable");
        if (!stream) return false;
        if (stream->queries++ == stream->script.failQueryAt) {
            available = 999;  // junk: a failed query's count means nothing
            return false;
        }
        available = static_cast<std::uint32_t>(stream->Left());
        return true;
    }

    bool ReadFile(HInternet url, char* buffer, std::uint32_t toRead, std::uint32_t& read) override {
        reads.push_back({url, toRead});
        read = 0;
        if (reads.size() > kSpinLimit) {
            faults.push_back("read loop does not end");
            return false;
        }
        Stream* stream = StreamOf(url, "ReadFile");
        if (!stream) return false;
        const int index = stream->reads++;
        if (index == stream->script.failReadAt) return false;
        if (index == stream->script.zeroReadAt) return true;
        read = static_cast<std::uint32_t>(std::min<std::size_t>(toRead, stream->Left()));
        if (read != 0) std::memcpy(buffer, stream->Current().data() + stream->offset, read);
        stream->Advance(read);
        return true;
    }

    void Close(HInternet handle) override {
        closes.push_back(handle);
        if (open_.erase(handle) == 0) faults.push_back("Close of a handle that is not open");
    }

    bool RunAside(HInternet internet, std::shared_ptr<AsideWork> work) override {
        CheckOpen(internet, "RunAside");
        ++asides;
        if (failAside) return false;
        work->Run();
        return true;
    }

    void PumpMessages() override {
        ++pumps;
        if (onPump) onPump();
    }

private:
    static constexpr std::size_t kSpinLimit = 100000;

    struct Stream {
        ScriptedResponse script;
        std::size_t packet = 0;
        std::size_t offset = 0;
        int queries = 0;
        int reads = 0;
        int sends = 0;

        const std::string& Current() const { return script.packets[packet]; }
        std::size_t Left() const { return packet < script.packets.size() ? Current().size() - offset : 0; }
        void Advance(std::size_t n) {
            offset += n;
            while (packet < script.packets.size() && offset == Current().size()) {
                ++packet;
                offset = 0;
            }
        }
    };

    ScriptedResponse NextResponse() {
        ScriptedResponse response;
        if (!responses.empty()) {
            response = std::move(responses.front());
            responses.pop_front();
        }
        return response;
    }

    HInternet NewHandle() {
        next_ += 0x10;
        open_.insert(next_);
        return next_;
    }

    void CheckOpen(HInternet handle, const char* call) {
        if (!open_.count(handle)) faults.push_back(std::string(call) + " on a handle that is not open");
    }

    Stream* StreamOf(HInternet url, const char* call) {
        CheckOpen(url, call);
        const auto it = streams_.find(url);
        if (it == streams_.end() || !open_.count(url)) return nullptr;
        it->second.Advance(0);  // skip empty packets
        return &it->second;
    }

    HInternet next_ = 0x1000;
    std::set<HInternet> open_;
    std::map<HInternet, Stream> streams_;
};

// FetchWeather wired to the fake port, the real sources with their
// extraction recorded instead, and a counting ticker callback. One rig at a
// time: the recording goes through a static.
struct FetchRig {
    struct Extraction {
        std::string document;
        int sourceIndex;
        std::string townName;
    };

    FakeInternetPort port;
    FetchRegistry registry;
    WorkingValues values;
    DisplayState display;
    std::string extractedLine = "+20, clear";
    std::vector<Extraction> extractions;
    int tickerStarts = 0;
    std::string cacheWhenTickerStarted;

    std::vector<WeatherSource> sources;
    std::function<void()> duringExtraction;

    FetchRig() {
        values.TownCode = "27612";
        const WeatherSources real = TheWeatherSources();
        sources.assign(real.begin(), real.end());
        for (std::size_t i = 0; i < sources.size() && i < kRecorders.size(); ++i) sources[i].extract = kRecorders[i];
        Current() = this;
    }
    ~FetchRig() { Current() = nullptr; }
    FetchRig(const FetchRig&) = delete;
    FetchRig& operator=(const FetchRig&) = delete;

    // No download is left registered: a finalisation now closes nothing.
    bool NothingInProgress() {
        const std::size_t closed = port.closes.size();
        registry.CloseAll();
        return port.closes.size() == closed;
    }

    void Respond(std::vector<std::string> packets) {
        ScriptedResponse response;
        response.packets = std::move(packets);
        port.responses.push_back(std::move(response));
    }

    FetchResult Fetch() { return FetchWeather(values.TownCode, values, display, Services()); }

    FetchServices Services() {
        return FetchServices{port, registry, sources, [this] {
                                 ++tickerStarts;
                                 cacheWhenTickerStarted = display.CachedWeatherLine;
                             }};
    }

private:
    static FetchRig*& Current() {
        static FetchRig* rig = nullptr;
        return rig;
    }
    template <int Source>
    static std::string Record(std::string_view document, std::string_view townName) {
        FetchRig& rig = *Current();
        rig.extractions.push_back({std::string(document), Source, std::string(townName)});
        if (rig.duringExtraction) rig.duringExtraction();
        return rig.extractedLine;
    }
    static constexpr std::array kRecorders = {&Record<0>, &Record<1>, &Record<2>, &Record<3>};
};

}  // namespace ow::fetch_test
