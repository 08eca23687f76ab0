#include "common/message_wait.h"

namespace ow {

namespace {
constexpr std::uint32_t kInputBefore51 = 0x00FF;  // key, mouse, posted, timer, paint, sent, hot key
constexpr std::uint32_t kRawInput = 0x0400;       // QS_RAWINPUT
constexpr std::uint32_t kTouchAndPointer = 0x1800;  // QS_TOUCH | QS_POINTER

constexpr bool AtLeast(unsigned major, unsigned minor, unsigned wantMajor, unsigned wantMinor) {
    return major > wantMajor || (major == wantMajor && minor >= wantMinor);
}
}  // namespace

std::uint32_t MessageWakeMask(unsigned major, unsigned minor) {
    std::uint32_t mask = kInputBefore51;
    if (AtLeast(major, minor, 5, 1)) mask |= kRawInput;
    if (AtLeast(major, minor, 6, 2)) mask |= kTouchAndPointer;
    return mask;
}

WaitOutcome WaitWhileDispatching(MessageWaitPort& port, const std::function<bool()>& ready, std::uint32_t deadline) {
    while (!ready()) {
        // Wrapping arithmetic: the clock passes 2^32 every 49.7 days.
        const auto left = static_cast<std::int32_t>(deadline - port.Now());
        if (left <= 0) return WaitOutcome::TimedOut;
        switch (port.Wait(static_cast<std::uint32_t>(left))) {
            case WakeReason::Signalled:
            case WakeReason::TimedOut:  // looked at again above
                break;
            case WakeReason::Input:
                if (!port.DispatchPending()) return WaitOutcome::Quit;
                break;
            case WakeReason::Failed:
                return WaitOutcome::Failed;
        }
    }
    return WaitOutcome::Ready;
}

}  // namespace ow
