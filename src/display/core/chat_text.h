#pragma once
// The text the insert command puts into the chat input: what was typed,
// trimmed, one space, and the trimmed weather line (without the prefix).
#include <string>
#include <string_view>

namespace ow {
std::string CombineChatText(std::string_view current, std::string_view weatherLine);
}  // namespace ow
