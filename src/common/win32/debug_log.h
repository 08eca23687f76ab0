#pragma once
#include <string_view>

namespace ow {
// Appends one time-stamped line to the log in the current directory. Never
// fails towards the caller: a file that cannot be written loses the line.
void WriteDebugLog(std::string_view message) noexcept;
}  // namespace ow
