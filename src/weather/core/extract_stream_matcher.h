#pragma once
// Finds the occurrences of one short pattern in a stream fed byte by byte, as
// a left-to-right "replace every occurrence" scan would: it reports the last
// byte of each occurrence, then starts afresh after it.
#include <cstddef>
#include <string_view>

namespace ow {

// Restarting with only the current byte after a mismatch is exact when the
// pattern's first byte occurs nowhere else in it: no occurrence can then begin
// inside a partial one. The extractors' patterns are checked for this.
consteval bool HasUniqueFirstByte(std::string_view pattern) {
    return !pattern.empty() && pattern.find(pattern.front(), 1) == std::string_view::npos;
}

class StreamMatcher {
public:
    explicit constexpr StreamMatcher(std::string_view pattern) : pattern_(pattern) {}

    // True when `c` completes an occurrence.
    constexpr bool Feed(char c) {
        if (c == pattern_[matched_]) {
            if (++matched_ < pattern_.size()) return false;
            matched_ = 0;
            return true;
        }
        matched_ = c == pattern_.front() ? 1 : 0;
        return false;
    }

    // True when no occurrence is under way, so bytes that are not the
    // pattern's first byte leave the matcher as it is.
    constexpr bool Idle() const { return matched_ == 0; }

private:
    std::string_view pattern_;
    std::size_t matched_ = 0;
};

}  // namespace ow
