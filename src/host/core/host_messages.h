#pragma once
// Bodies of the queries, commands and replies the plug-in sends to the host.
#include <cstdint>
#include <string>
#include <string_view>

namespace ow {

std::string PluginName();  // "Weather Plugin ver." immediately followed by the version

std::string QueryWindowBody();
std::string Query11Body();
std::string AddIconBody(std::int32_t callback, std::int32_t icon, std::string_view hint);
std::string RemoveIconBody(std::int32_t iconId);
std::string QueryCmdBody();
std::string SendMessageBody(std::int32_t target, std::string_view text);
std::string ReplyBody(std::string_view text);  // answer kind, String text, Int 4

}  // namespace ow
