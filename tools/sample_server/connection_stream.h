#pragma once
// httplib's view of one accepted connection, with what its stock socket stream
// lacks: the raw bytes of each request head are kept (so the request line and
// headers can be recorded exactly as they arrived, in order), the stream can be
// told to refuse (after which not one more byte is written), and every wait
// gives up as soon as the server stops. The bytes themselves move through a
// channel: the socket, or a TLS session over it.
#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <httplib.h>

#include "byte_channel.h"
#include "stop_signal.h"

namespace ow::sample {

class ConnectionStream final : public httplib::Stream {
public:
    using HeadSink = std::function<void(std::string_view rawHead)>;

    ConnectionStream(ByteChannel& channel, const StopSignal& stop, HeadSink headSink);

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, size_t size) override;
    ssize_t write(const char* ptr, size_t size) override;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    socket_t socket() const override { return channel_.socket(); }

    // True once bytes of a next request are there; false at close, stop or time-out.
    bool WaitForRequest(std::chrono::milliseconds timeout) const;

    // Whether the next request's first bytes are prefix; reads no further
    // than it takes to tell. Nothing is consumed.
    bool NextRequestStartsWith(std::string_view prefix);
    // A whole request head, up to and with its blank line; none when the
    // connection ends first or the head grows past kMaxHeadBytes.
    std::optional<std::string> ReadHead();
    // The bytes received but not yet read, which leave the stream.
    std::string TakeBuffered();

    // Brackets one request: the head is captured from BeginHead until its
    // blank line, the first byte written, or EndHead, whichever comes first,
    // and then handed to the sink once.
    void BeginHead();
    void EndHead();
    // Whether the last head ended with its blank line; a response that began
    // before that answered a malformed request.
    bool headComplete() const { return headComplete_; }

    void Refuse() { refused_ = true; }
    bool refused() const { return refused_; }

    // Runs action once the current response has been written.
    void AfterResponse(std::function<void()> action) { afterResponse_ = std::move(action); }
    void RunAfterResponse();

    // The stream of the connection the calling thread is serving; handlers run
    // on that thread, so this is how they reach their connection.
    static ConnectionStream* Current();

    class CurrentScope {
    public:
        explicit CurrentScope(ConnectionStream& stream);
        ~CurrentScope();
        CurrentScope(const CurrentScope&) = delete;
        CurrentScope& operator=(const CurrentScope&) = delete;
    };

    static constexpr std::size_t kMaxHeadBytes = 64 * 1024;

private:
    bool HasBuffered() const { return bufferBegin_ < bufferEnd_ || channel_.HasBuffered(); }
    void Capture(const char* data, std::size_t size);

    ByteChannel& channel_;
    const StopSignal& stop_;
    HeadSink headSink_;
    std::string head_;
    bool capturing_ = false;
    bool headComplete_ = false;
    bool refused_ = false;
    std::function<void()> afterResponse_;
    char buffer_[4096];
    std::size_t bufferBegin_ = 0;
    std::size_t bufferEnd_ = 0;
};

}  // namespace ow::sample
