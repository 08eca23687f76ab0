#include "common/win32/utc_clock.h"

#include <windows.h>

namespace ow {

namespace {
// Unsigned, as FILETIME is: the 32-bit library then needs only the unsigned
// 64-bit division routine, which writing the kept forecast's time uses too.
constexpr std::uint64_t kTicksPerSecond = 10'000'000;  // FILETIME counts 100 ns
constexpr std::uint64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;
}  // namespace

std::int64_t UtcSecondsNow() noexcept {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    if (ticks < kTicksFrom1601To1970) return 0;  // a clock before 1970: nothing kept is younger
    return static_cast<std::int64_t>((ticks - kTicksFrom1601To1970) / kTicksPerSecond);
}

}  // namespace ow
