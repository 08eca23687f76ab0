#pragma once
// The system clock in UTC, so a change of time zone moves nothing.
#include <cstdint>

namespace ow {
// Whole seconds since 1970-01-01 00:00 UTC.
std::int64_t UtcSecondsNow() noexcept;
}  // namespace ow
