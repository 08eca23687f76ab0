#pragma once
// Ids and fixed interval of the form's window timers. There is no timer 3.

namespace ow {

enum TimerId : int {
    kUpdateTimer = 1,     // automatic download every UpdatePeriod
    kScrollTimer = 2,     // one ticker step
    kRedisplayTimer = 4,  // re-writes the cached line after a pass
};

inline constexpr unsigned kRedisplayIntervalMs = 3000;

}  // namespace ow
