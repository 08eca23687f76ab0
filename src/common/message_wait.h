#pragma once
// Waiting on the host's thread without holding it: the rules, apart from the
// Windows calls that carry them out.
#include <cstdint>
#include <functional>

namespace ow {

// The input kinds a wait on the host's thread wakes for: all of them, as the
// running Windows knows them. QS_ALLINPUT as a new toolchain spells it holds
// bits that older versions reject, and a rejected mask fails the whole wait:
// QS_RAWINPUT came with Windows XP (5.1), QS_TOUCH and QS_POINTER with
// Windows 8 (6.2).
std::uint32_t MessageWakeMask(unsigned major, unsigned minor);

// What one wait of the Windows side reported.
enum class WakeReason {
    Signalled,  // the object waited for
    Input,      // messages for the thread
    TimedOut,   // the time asked for passed
    Failed,     // the wait itself failed
};

class MessageWaitPort {
public:
    virtual ~MessageWaitPort() = default;
    // Sleeps until the object is signalled, the thread has messages or
    // `timeoutMs` milliseconds have passed.
    virtual WakeReason Wait(std::uint32_t timeoutMs) = 0;
    // A millisecond clock that wraps around (GetTickCount).
    virtual std::uint32_t Now() = 0;
    // Dispatches every waiting message; false when the messenger asked to
    // quit (its request is put back for its own loop).
    virtual bool DispatchPending() = 0;
};

enum class WaitOutcome {
    Ready,     // `ready` holds
    Quit,      // the messenger is closing: stop waiting
    Failed,    // the wait could not be made: an error, not a reason to go on
    TimedOut,  // the deadline came first
};

// Waits until `ready` holds, dispatching the thread's messages meanwhile, so
// anything (the plug-in's finalisation included) can run nested in the wait.
// Every wake is only a reason to look again. Gives up once the clock reaches
// `deadline` (a time of port.Now(), less than 2^31 ms ahead; a deadline
// already past still looks once).
WaitOutcome WaitWhileDispatching(MessageWaitPort& port, const std::function<bool()>& ready, std::uint32_t deadline);

}  // namespace ow
