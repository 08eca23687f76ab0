#pragma once
// Code page 1251 and UTF-8 at run time: the messenger's texts are 1251, the
// place search service speaks UTF-8.
#include <cstddef>
#include <string>
#include <string_view>

namespace ow {

// Every byte as its character; a byte 1251 leaves unassigned (0x98) becomes
// U+FFFD.
std::string Cp1251ToUtf8(std::string_view text);

// Shown for each character code page 1251 lacks and each malformed UTF-8
// sequence: one byte per character, whatever its length in UTF-8.
inline constexpr char kNoCp1251Character = '?';

// At most `maxCharacters` characters of `utf8` in code page 1251, each
// character 1251 lacks (or malformed sequence) as kNoCp1251Character.
std::string Utf8ToCp1251(std::string_view utf8, std::size_t maxCharacters);

}  // namespace ow
