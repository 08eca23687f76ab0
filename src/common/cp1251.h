#pragma once
// Russian texts are written in UTF-8 source and turned into code page 1251
// bytes at compile time, so every compiler (GCC, MinGW, Clang) sees the same
// bytes without -fexec-charset tricks.
#include <cstddef>
#include <string>
#include <string_view>

namespace ow {

template <std::size_t N>
struct Cp1251Text {
    char bytes[N]{};
    std::size_t size = 0;
    constexpr std::string_view view() const { return {bytes, size}; }
    std::string str() const { return std::string(bytes, size); }
    constexpr operator std::string_view() const { return view(); }
};

namespace detail {
consteval char Cp1251Byte(char32_t c) {
    if (c < 0x80) return static_cast<char>(c);
    if (c >= 0x0410 && c <= 0x044F) return static_cast<char>(0xC0 + (c - 0x0410));
    switch (c) {
        case 0x0401: return static_cast<char>(0xA8);  // Ё
        case 0x0451: return static_cast<char>(0xB8);  // ё
        case 0x00B0: return static_cast<char>(0xB0);  // degree sign
        case 0x2116: return static_cast<char>(0xB9);  // numero sign
        case 0x00AB: return static_cast<char>(0xAB);
        case 0x00BB: return static_cast<char>(0xBB);
        case 0x2014: return static_cast<char>(0x97);
        case 0x2013: return static_cast<char>(0x96);
        case 0x0406: return static_cast<char>(0xB2);  // І
        case 0x0456: return static_cast<char>(0xB3);  // і
        case 0x0404: return static_cast<char>(0xAA);  // Є
        case 0x0454: return static_cast<char>(0xBA);  // є
        case 0x0407: return static_cast<char>(0xAF);  // Ї
        case 0x0457: return static_cast<char>(0xBF);  // ї
        case 0x040E: return static_cast<char>(0xA1);  // Ў
        case 0x045E: return static_cast<char>(0xA2);  // ў
        default: throw "character has no code page 1251 byte";
    }
}
}  // namespace detail

// A text of at most `Capacity` characters, for tables whose entries need one
// type: Cp1251In<16>(u8"ясно").
template <std::size_t Capacity>
consteval Cp1251Text<Capacity> Cp1251In(std::u8string_view utf8) {
    Cp1251Text<Capacity> out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned b = utf8[i];
        char32_t c;
        if (b < 0x80) {
            c = b;
            i += 1;
        } else if ((b & 0xE0) == 0xC0) {
            c = ((b & 0x1F) << 6) | (utf8[i + 1] & 0x3F);
            i += 2;
        } else if ((b & 0xF0) == 0xE0) {
            c = ((b & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F);
            i += 3;
        } else {
            throw "unsupported UTF-8 sequence";
        }
        if (out.size == Capacity) throw "text longer than its capacity";
        out.bytes[out.size++] = detail::Cp1251Byte(c);
    }
    return out;
}

// Usage: inline constexpr auto kText = Cp1251(u8"ПОГОДА: ");  kText.view()
template <std::size_t N>
consteval Cp1251Text<N> Cp1251(const char8_t (&utf8)[N]) {
    return Cp1251In<N>(std::u8string_view(utf8, N - 1));  // the last element is the terminating zero
}

}  // namespace ow
