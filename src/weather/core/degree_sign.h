#pragma once
// The degree sign as the weather lines show it, and the HTML reference the
// providers' documents write it as.
#include <cstddef>
#include <string_view>

#include "common/cp1251.h"
#include "weather/core/extract_byte_scan.h"
#include "weather/core/extract_stream_matcher.h"

namespace ow {

inline constexpr std::string_view kDegreeReference = "&#176;";
inline constexpr auto kDegreeSign = Cp1251(u8"°");

static_assert(HasUniqueFirstByte(kDegreeReference));
static_assert(kDegreeSign.size == 1, "the text never grows, so it can be rewritten in place");

// Copies in[0, size) to `out` without the `Dropped` bytes, turning every
// "&#176;" of what is left into the degree sign; returns the length written.
// `out` may be `in`: writing never overtakes reading. One pass, as the drops
// and the replacement cost a pass each otherwise.
template <char... Dropped>
std::size_t CopyWithDegreeSigns(const char* const in, const std::size_t size, char* const out) {
    std::size_t read = 0;
    std::size_t write = 0;
    StreamMatcher degree(kDegreeReference);
    while (read < size) {
        if (degree.Idle()) {
            const std::size_t run = byte_scan::CopyRun<Dropped..., kDegreeReference.front()>(
                in + read, size - read, out + write);
            read += run;
            write += run;
            if (read == size) break;
        }
        const char c = in[read++];
        if (byte_scan::IsStop<Dropped...>(c)) continue;
        out[write++] = c;
        if (degree.Feed(c)) {
            write -= kDegreeReference.size();
            out[write++] = kDegreeSign.view().front();
        }
    }
    return write;
}

}  // namespace ow
