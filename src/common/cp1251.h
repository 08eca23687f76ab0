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

// The characters of code page 1251's bytes 0x80..0xFF; 0 where a byte has
// none (0x98).
inline constexpr char16_t kCp1251Upper[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 0xC0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // 0xC8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // 0xD0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // 0xD8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // 0xE0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // 0xE8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // 0xF0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // 0xF8
};

namespace detail {
consteval char Cp1251Byte(char32_t c) {
    if (c < 0x80) return static_cast<char>(c);
    for (unsigned i = 0; i < 128; ++i) {
        if (kCp1251Upper[i] != 0 && kCp1251Upper[i] == c) return static_cast<char>(0x80 + i);
    }
    throw "character has no code page 1251 byte";
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
