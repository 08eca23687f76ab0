#include "common/text_ops.h"

namespace ow {

namespace {
constexpr unsigned char kLastBlank = 0x20;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= kLastBlank; }

TextIndex Length(std::string_view text) { return static_cast<TextIndex>(text.size()); }
}  // namespace

TextIndex PositionOf(std::string_view needle, std::string_view text) {
    if (needle.empty()) return 0;
    const auto at = text.find(needle);
    return at == std::string_view::npos ? 0 : static_cast<TextIndex>(at) + 1;
}

std::string_view CutFirst(std::string_view text, TextIndex n) {
    if (n <= 0) return text;
    if (n >= Length(text)) return {};
    return text.substr(static_cast<std::size_t>(n));
}

std::string_view TakeFrom(std::string_view text, TextIndex p, TextIndex n) {
    if (p < 1) p = 1;
    if (p > Length(text) || n <= 0) return {};
    const TextIndex available = Length(text) - (p - 1);
    return text.substr(static_cast<std::size_t>(p - 1),
                       static_cast<std::size_t>(n < available ? n : available));
}

std::string_view Trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t end = text.size();
    while (first < end && IsBlank(text[first])) ++first;
    while (end > first && IsBlank(text[end - 1])) --end;
    return text.substr(first, end - first);
}

}  // namespace ow
