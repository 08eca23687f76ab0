#include "prefs/core/text_lines.h"

namespace ow {

StringList SplitLines(std::string_view bytes) {
    StringList lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.emplace_back(bytes.substr(start, i - start));
        const bool crLf = c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        i += crLf ? 2 : 1;
        start = i;
    }
    if (start < bytes.size()) lines.emplace_back(bytes.substr(start));
    return lines;
}

std::string JoinLinesCrLf(const StringList& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) size += line.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

}  // namespace ow
