#include "common/win32/utc_clock.h"

#include <windows.h>

namespace ow {

namespace {
constexpr std::int64_t kTicksPerSecond = 10'000'000;                 // FILETIME counts 100 ns
constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;
}  // namespace

std::int64_t UtcSecondsNow() noexcept {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::int64_t ticks =
        static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    return (ticks - kTicksFrom1601To1970) / kTicksPerSecond;
}

}  // namespace ow
