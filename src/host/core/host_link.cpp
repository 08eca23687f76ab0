#include "host/core/host_link.h"

#include "host/core/host_messages.h"
#include "host/core/host_protocol.h"

namespace ow {

EnvelopeReader HostLink::Request(std::string_view body) {
    if (hostCall_ == 0) return EnvelopeReader{};
    const char* envelope = buffer_.Pack(body);
    return EnvelopeReader::FromHost(caller_.Call(hostCall_, envelope));
}

std::int16_t HostLink::GetCmd(std::int32_t value) {
    if (value != 1) return kGetCmdDefault;
    const auto answer = Request(QueryCmdBody()).IntAt(kCmdAnswerOffset);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(answer.value_or(0) & 0xFFFF));
}

bool HostLink::SendMsg(std::int32_t target, std::string_view text) {
    if (!HasHostCall()) return false;
    Request(SendMessageBody(target, text));
    return true;
}

}  // namespace ow
