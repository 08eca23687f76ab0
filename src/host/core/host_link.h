#pragma once
// The plug-in's side of the host call-back: packs a request into the one
// envelope buffer and hands it to the host function received at
// initialisation. No call is made while that function is unknown.
#include <cstdint>
#include <string_view>

#include "host/core/envelope.h"

namespace ow {

class HostCaller {
public:
    virtual ~HostCaller() = default;
    // Calls the host function at `hostCall` with the envelope; returns the
    // host's answer envelope (may be null).
    virtual const void* Call(std::uint32_t hostCall, const char* envelope) = 0;
};

class HostLink {
public:
    HostLink(EnvelopeBuffer& buffer, HostCaller& caller) : buffer_(buffer), caller_(caller) {}

    void SetHostCall(std::uint32_t address) { hostCall_ = address; }
    bool HasHostCall() const { return hostCall_ != 0; }

    // Invalid reader when there is no host function or the answer is null.
    EnvelopeReader Request(std::string_view body);

    // getcmd: 1 asks the host, anything else answers 1000 without a call.
    std::int16_t GetCmd(std::int32_t value);
    // sendmsg: false only when there is no host to send to.
    bool SendMsg(std::int32_t target, std::string_view text);

private:
    EnvelopeBuffer& buffer_;
    HostCaller& caller_;
    std::uint32_t hostCall_ = 0;
};

}  // namespace ow
