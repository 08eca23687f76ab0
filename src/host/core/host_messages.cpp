#include "host/core/host_messages.h"

#include "host/core/envelope.h"
#include "host/core/host_protocol.h"

namespace ow {

namespace {
std::string Head(std::uint8_t kind, std::uint8_t code) {
    return std::string{static_cast<char>(kind), static_cast<char>(code)};
}
}  // namespace

std::string PluginName() { return std::string(kPluginNamePrefix).append(kPluginVersion); }

std::string QueryWindowBody() {
    return Head(MK_QUERY, QUERY_WINDOW) + static_cast<char>(kQueryWindowParameter);
}

std::string Query11Body() { return Head(MK_QUERY, QUERY_HOST_11); }

std::string AddIconBody(std::int32_t callback, std::int32_t icon, std::string_view hint) {
    return Head(MK_COMMAND, CMD_ADD_ICON) + PackInt(callback) + PackInt(icon) + PackString(hint);
}

std::string RemoveIconBody(std::int32_t iconId) {
    return Head(MK_COMMAND, CMD_REMOVE_ICON) + PackInt(iconId);
}

std::string QueryCmdBody() { return Head(MK_QUERY, QUERY_CMD); }

std::string SendMessageBody(std::int32_t target, std::string_view text) {
    return Head(MK_COMMAND, CMD_SEND_MESSAGE) + PackInt(target) + PackInt(0) + PackString(text);
}

std::string ReplyBody(std::string_view text) {
    return std::string(1, static_cast<char>(MK_ANSWER)) + PackString(text) + PackInt(kReplyTrailer);
}

}  // namespace ow
