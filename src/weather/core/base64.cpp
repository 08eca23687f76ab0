#include "weather/core/base64.h"

#include <cstddef>

namespace ow {

namespace {
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kPad = '=';

unsigned ByteAt(std::string_view data, std::size_t i) {
    return static_cast<unsigned char>(data[i]);
}
}  // namespace

std::string EncodeBase64(std::string_view data) {
    std::string out;
    out.reserve((data.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= data.size(); i += 3) {
        const unsigned group = ByteAt(data, i) << 16 | ByteAt(data, i + 1) << 8 | ByteAt(data, i + 2);
        out += kAlphabet[group >> 18 & 0x3F];
        out += kAlphabet[group >> 12 & 0x3F];
        out += kAlphabet[group >> 6 & 0x3F];
        out += kAlphabet[group & 0x3F];
    }
    const std::size_t rest = data.size() - i;
    if (rest == 0) return out;
    const unsigned group = ByteAt(data, i) << 16 | (rest == 2 ? ByteAt(data, i + 1) << 8 : 0u);
    out += kAlphabet[group >> 18 & 0x3F];
    out += kAlphabet[group >> 12 & 0x3F];
    out += rest == 2 ? kAlphabet[group >> 6 & 0x3F] : kPad;
    out += kPad;
    return out;
}

}  // namespace ow
