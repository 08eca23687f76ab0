#pragma once
// Ticker speed: the track bar's position 1..5 divides the slowest step.

namespace ow {

inline constexpr int kSlowestScrollStepMs = 500;
inline constexpr int kMinScrollSpeed = 1;
inline constexpr int kMaxScrollSpeed = 5;

// 500, 250, 166, 125 or 100 ms. Positions outside the track bar's range are
// clamped the way the track bar clamps them, so the divisor is never zero.
constexpr int ScrollIntervalForSpeed(int speed) {
    if (speed < kMinScrollSpeed) speed = kMinScrollSpeed;
    if (speed > kMaxScrollSpeed) speed = kMaxScrollSpeed;
    return kSlowestScrollStepMs / speed;
}

}  // namespace ow
