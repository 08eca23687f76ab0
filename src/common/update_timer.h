#pragma once
// The automatic update's timer, as the settings operations restart it. The
// status-bar display owns the timers; the settings only name the period.
#include <cstdint>

namespace ow {

class UpdateTimer {
public:
    virtual ~UpdateTimer() = default;
    // Kills and sets window timer 1 with the given period.
    virtual void StartUpdateTimer(std::int64_t periodMs) = 0;
};

}  // namespace ow
