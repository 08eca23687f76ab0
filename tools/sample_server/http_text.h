#pragma once
// The few text rules of HTTP the server applies by hand: names that compare
// without regard to ASCII case, values with blanks around them.
#include <string>
#include <string_view>

namespace ow::sample {

std::string LowerAscii(std::string_view text);
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// Without leading and trailing spaces and tabs.
std::string_view TrimBlanks(std::string_view text);

// The first line of text without its CR LF or LF; text moves past it.
std::string_view TakeLine(std::string_view& text);

}  // namespace ow::sample
