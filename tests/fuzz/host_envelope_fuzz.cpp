// Feeds arbitrary envelopes across the host boundary: events to the core of
// pluginFun, and the host's answers to the queries it sends while handling
// them. Every envelope is built from the input with a length field that says
// whatever the input says.
//
// Input: a sequence of records, read from the front.
//   op byte: 0 event, 1 null event, 2 getcmd(1), 3 sendmsg (op values
//            are taken modulo 4)
//   event:   an envelope record (below)
//   The fake host takes its answers from the same stream, when it is called:
//   a mode byte (odd: null answer) followed, for even modes, by an envelope
//   record.
// Envelope record: Int declared body length, a two-byte count n, then n
// bytes of body. The envelope handed over holds exactly the declared length:
// bytes beyond it are dropped, missing ones are zero, so any read past the
// length field is a read past the allocation. Declared lengths above 64 KiB
// make an event that is not sent and an answer that is null. Negative
// lengths get the four bytes of the length field only.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/envelope.h"
#include "host/core/host_link.h"
#include "host/core/host_messages.h"
#include "host/core/host_protocol.h"
#include "host/core/lifecycle_port.h"
#include "host/core/plugin_lifecycle.h"

namespace {

using namespace ow;

constexpr std::int64_t kMaxDeclared = 64 * 1024;

void Require(bool ok) {
    if (!ok) std::abort();
}

std::int32_t Int32At(const unsigned char* p) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t Byte() { return empty() ? 0 : data_[pos_++]; }
    std::int32_t Int() {
        std::uint32_t u = 0;
        for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return static_cast<std::int32_t>(u);
    }
    std::string_view Bytes(std::size_t n) {
        n = std::min(n, size_ - std::min(pos_, size_));
        const std::string_view out(reinterpret_cast<const char*>(data_ + pos_), n);
        pos_ += n;
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// An envelope in memory of exactly its declared size.
struct Envelope {
    std::unique_ptr<unsigned char[]> bytes;
    std::size_t size = 0;
    const void* data() const { return bytes.get(); }
    std::int32_t declared() const { return Int32At(bytes.get()); }
    // The reference reading: a byte or Int inside the declared body.
    std::optional<std::uint8_t> ByteAt(std::size_t offset) const {
        if (offset < 4 || offset + 1 > size) return std::nullopt;
        return bytes[offset];
    }
    std::optional<std::int32_t> IntAt(std::size_t offset) const {
        if (offset < 4 || offset + 4 > size) return std::nullopt;
        return Int32At(bytes.get() + offset);
    }
};

// Reads an envelope record; nothing when its declared length is too large.
std::optional<Envelope> ReadEnvelope(Input& in) {
    const std::int32_t declared = in.Int();
    const std::size_t given = in.Byte() | (static_cast<std::size_t>(in.Byte()) << 8);
    const std::string_view body = in.Bytes(given);
    if (declared > kMaxDeclared) return std::nullopt;
    Envelope e;
    e.size = 4 + static_cast<std::size_t>(std::max(declared, 0));
    e.bytes = std::make_unique<unsigned char[]>(e.size);  // zero-filled
    const std::string head = PackInt(declared);
    for (std::size_t i = 0; i < 4; ++i) e.bytes[i] = static_cast<unsigned char>(head[i]);
    for (std::size_t i = 0; i < body.size() && 4 + i < e.size; ++i)
        e.bytes[4 + i] = static_cast<unsigned char>(body[i]);
    return e;
}

// The host: answers from the input, and checks every request it gets.
struct FuzzHost : HostCaller {
    Input& in;
    const EnvelopeBuffer& buffer;
    std::uint32_t expectedHostCall = 0;
    std::vector<std::string> requests;
    // The answer to each request, as handed over (absent for null).
    std::vector<std::optional<Envelope>> answers;

    FuzzHost(Input& input, const EnvelopeBuffer& envelopes) : in(input), buffer(envelopes) {}

    const void* Call(std::uint32_t hostCall, const char* envelope) override {
        Require(hostCall != 0 && hostCall == expectedHostCall);
        // A request is the envelope buffer's whole, well-formed content.
        const std::string& bytes = buffer.bytes();
        Require(envelope == bytes.data() && bytes.size() >= 6);
        Require(Int32At(reinterpret_cast<const unsigned char*>(envelope)) ==
                static_cast<std::int32_t>(bytes.size() - 4));
        Require(bytes[4] == MK_QUERY || bytes[4] == MK_COMMAND);
        requests.push_back(bytes.substr(4));

        // The previous answer is freed here: a kept pointer to it would be
        // read after free.
        std::optional<Envelope> answer;
        if ((in.Byte() & 1) == 0) answer = ReadEnvelope(in);
        answers.push_back(std::move(answer));
        return answers.back() ? answers.back()->data() : nullptr;
    }

    void Forget() {
        requests.clear();
        answers.clear();
    }
};

struct FuzzPort : LifecyclePort {
    bool form = false;
    int calls = 0;
    std::vector<std::string> log;
    void WriteDebugLog(std::string_view m) override { ++calls; log.emplace_back(m); }
    bool FormExists() const override { return form; }
    void CreateForm() override { Require(!form); form = true; ++calls; }
    void FreeForm() override { Require(form); form = false; ++calls; }
    void SetHostMainWindow(std::int32_t) override { ++calls; }
    std::int32_t LoadPluginIcon() override { ++calls; return 0x77; }
    std::int32_t ClickCallbackAddress() override { return 0x99; }
    void FindHostPageControl() override { ++calls; }
    void LoadSettings() override { ++calls; }
    void ApplySettings() override { ++calls; }
    void ShowStatusText(std::string_view) override { ++calls; }
    void StopTimers() override { Require(form); ++calls; }
    void CloseInternetHandles() override { ++calls; }
    void SelectFirstPage() override { Require(form); ++calls; }
    void ShowForm() override { Require(form); ++calls; }
};

std::string Enveloped(std::string_view body) { return PackInt(static_cast<std::int32_t>(body.size())) + std::string(body); }

// A reply is null or the envelope buffer's whole content, an answer.
void CheckReply(const char* reply, const EnvelopeBuffer& buffer, std::string_view expectedBody) {
    const std::string& bytes = buffer.bytes();
    Require(reply == bytes.data());
    Require(Int32At(reinterpret_cast<const unsigned char*>(reply)) == static_cast<std::int32_t>(bytes.size() - 4));
    Require(static_cast<std::uint8_t>(reply[4]) == MK_ANSWER);
    Require(bytes == Enveloped(expectedBody));
}

// What the initialisation makes of the host's answers: the icon id.
std::int32_t ExpectedIconId(const FuzzHost& host) {
    if (host.answers.empty()) return -1;  // no host function
    const auto& window = host.answers[0];
    if (!window || window->ByteAt(kKindOffset) != MK_ANSWER) return -1;
    const auto& icon = host.answers[1];
    return icon ? icon->IntAt(kIconAnswerOffset).value_or(-1) : -1;
}

// `icon` is the icon id the plug-in must hold, as the host saw it answered;
// a finalisation shows it in the removal it sends.
void HandleEvent(const Envelope* event, EnvelopeBuffer& buffer, FuzzHost& host, FuzzPort& port,
                 PluginLifecycle& plugin, std::int32_t& icon) {
    host.Forget();
    port.calls = 0;
    port.log.clear();
    const std::int32_t iconBefore = icon;
    const std::uint32_t hostCallBefore = host.expectedHostCall;

    // The event as the core must classify it, read from what was handed over.
    std::optional<std::uint8_t> code;
    if (event && event->declared() > 0 && event->ByteAt(kKindOffset) == MK_EVENT) code = event->ByteAt(kCodeOffset);
    const auto hostCall = event ? event->IntAt(kHostCallOffset) : std::nullopt;
    if (code == PE_INITIALIZE && hostCall) host.expectedHostCall = static_cast<std::uint32_t>(*hostCall);

    const char* reply = plugin.HandleEvent(event ? event->data() : nullptr);

    if (code == PE_INITIALIZE && hostCall) {
        const std::size_t expectedRequests = host.expectedHostCall == 0 ? 0 : host.answers.size();
        Require(host.requests.size() == expectedRequests);
        if (expectedRequests > 0) {
            // The icon is added only after a window answer of the answer kind.
            const auto& window = host.answers[0];
            const bool addsIcon = window && window->ByteAt(kKindOffset) == MK_ANSWER;
            Require(host.requests.size() == (addsIcon ? 3u : 2u));
            Require(host.requests.front() == QueryWindowBody());
            if (addsIcon) Require(host.requests[1] == AddIconBody(0x99, 0x77, kIconHint));
            Require(host.requests.back() == Query11Body());
        }
        icon = ExpectedIconId(host);
        Require(port.form);
        if (icon >= 1) {
            CheckReply(reply, buffer, ReplyBody(PluginName()));
            Require(port.log.back() == "PE_INITIALIZE complete");
        } else {
            Require(reply == nullptr);
            Require(port.log.back() == "PE_INITIALIZE failed");
        }
    } else if (code == PE_FINALIZE) {
        CheckReply(reply, buffer, ReplyBody(kFinalizeReplyText));
        const bool removes = iconBefore != 0 && hostCallBefore != 0;
        Require(host.requests.size() == (removes ? 1u : 0u));
        if (removes) Require(host.requests[0] == RemoveIconBody(iconBefore));
        Require(!port.form);
    } else if (code == PE_PREFERENCES) {
        Require(reply == nullptr && host.requests.empty() && port.form);
    } else {
        // Not an event: nothing happens at all.
        Require(reply == nullptr && host.requests.empty() && port.calls == 0);
        Require(host.expectedHostCall == hostCallBefore);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    EnvelopeBuffer buffer;
    FuzzHost host(in, buffer);
    FuzzPort port;
    HostLink link(buffer, host);
    PluginLifecycle plugin(buffer, link, port);
    std::int32_t icon = 0;  // none yet: a finalisation removes nothing

    while (!in.empty()) {
        switch (in.Byte() % 4) {
            case 0: {
                const auto event = ReadEnvelope(in);
                if (event) HandleEvent(&*event, buffer, host, port, plugin, icon);
                break;
            }
            case 1:
                HandleEvent(nullptr, buffer, host, port, plugin, icon);
                break;
            case 2: {
                host.Forget();
                const std::int16_t cmd = link.GetCmd(1);
                if (host.answers.empty()) {
                    Require(cmd == 0 && host.expectedHostCall == 0);
                } else {
                    Require(host.requests.size() == 1 && host.requests[0] == QueryCmdBody());
                    const auto& answer = host.answers[0];
                    const std::int32_t field = answer ? answer->IntAt(kCmdAnswerOffset).value_or(0) : 0;
                    Require(cmd == static_cast<std::int16_t>(static_cast<std::uint16_t>(field & 0xFFFF)));
                }
                break;
            }
            case 3: {
                host.Forget();
                const std::int32_t target = in.Int();
                const std::string text(in.Bytes(in.Byte()));
                Require(link.SendMsg(target, text) == (host.expectedHostCall != 0));
                if (host.expectedHostCall != 0)
                    Require(host.requests.size() == 1 && host.requests[0] == SendMessageBody(target, text));
                break;
            }
        }
    }
    return 0;
}
