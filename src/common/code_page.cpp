#include "common/code_page.h"

#include "common/cp1251.h"

namespace ow {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {  // every character of the table lies below U+10000
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The byte for a character, or kNoCp1251Character.
char Cp1251ByteOf(char32_t c) {
    if (c < 0x80) return static_cast<char>(c);
    for (unsigned i = 0; i < 128; ++i) {
        if (kCp1251Upper[i] != 0 && kCp1251Upper[i] == c) return static_cast<char>(0x80 + i);
    }
    return kNoCp1251Character;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes the character at `text[at]` and steps past it; a malformed
// sequence is one replacement character and is left after its first byte
// and the continuation bytes that followed it, so no byte is read twice.
char32_t NextCharacter(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    std::size_t length = 0;
    char32_t c = 0;
    char32_t lowest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1, c = lead & 0x1F, lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2, c = lead & 0x0F, lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3, c = lead & 0x07, lowest = 0x10000;
    } else {
        while (at < text.size() && IsContinuation(static_cast<unsigned char>(text[at]))) ++at;
        return kReplacementCharacter;
    }
    std::size_t taken = 0;
    while (taken < length && at < text.size() && IsContinuation(static_cast<unsigned char>(text[at]))) {
        c = (c << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
        ++taken;
    }
    const bool whole = taken == length && c >= lowest && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
    return whole ? c : kReplacementCharacter;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char byte : text) {
        const auto b = static_cast<unsigned char>(byte);
        const char32_t c = b < 0x80 ? b : kCp1251Upper[b - 0x80];
        AppendUtf8(out, c != 0 ? c : kReplacementCharacter);
    }
    return out;
}

std::string Utf8ToCp1251(std::string_view utf8, std::size_t maxCharacters) {
    std::string out;
    std::size_t at = 0;
    while (at < utf8.size() && out.size() < maxCharacters) out += Cp1251ByteOf(NextCharacter(utf8, at));
    return out;
}

}  // namespace ow
