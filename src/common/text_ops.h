#pragma once
// The five text operations both extractors are described in. Strings are raw
// 8-bit bytes, compared as they are; positions are 1-based and counts may be
// zero or negative, with the edge rules spelled out at each function.
#include <cstdint>
#include <string>
#include <string_view>

namespace ow {

// Signed on purpose: the extractors feed results of subtractions straight in.
using TextIndex = std::int64_t;

// 1-based position of the first occurrence of `needle` in `text`, 0 when it
// does not occur (an empty needle never occurs).
TextIndex PositionOf(std::string_view needle, std::string_view text);

// `text` without its first n characters: unchanged for n <= 0, empty when n
// reaches the length.
std::string_view CutFirst(std::string_view text, TextIndex n);

// n characters from 1-based position p, stopping at the end of the text. A
// position below 1 counts as 1; empty when p is past the end or n <= 0.
std::string_view TakeFrom(std::string_view text, TextIndex p, TextIndex n);

// `text` without leading and trailing bytes 0x00..0x20 (0x80 and above stay).
std::string_view Trim(std::string_view text);

}  // namespace ow
