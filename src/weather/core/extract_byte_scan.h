#pragma once
// Runs of ordinary bytes between the few bytes an extractor has to look at.
// A plain loop: the runs in real documents are short, and eight-bytes-at-a-
// time scanning measured slower on them.
#include <cstddef>

namespace ow::byte_scan {

template <char... Stops>
constexpr bool IsStop(char c) {
    return ((c == Stops) || ...);
}

// Number of bytes before the first stop byte in in[0, size), or size.
template <char... Stops>
std::size_t Run(const char* in, std::size_t size) {
    std::size_t done = 0;
    while (done < size && !IsStop<Stops...>(in[done])) ++done;
    return done;
}

// The same, copying the run to `out`.
template <char... Stops>
std::size_t CopyRun(const char* in, std::size_t size, char* out) {
    std::size_t done = 0;
    while (done < size && !IsStop<Stops...>(in[done])) {
        out[done] = in[done];
        ++done;
    }
    return done;
}

}  // namespace ow::byte_scan
