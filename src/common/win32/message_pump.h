#pragma once
#include <windows.h>

#include <functional>

namespace ow {

// Dispatches every message waiting in the thread's queue, the host's and the
// plug-in's alike. A quit request is put back for the host's own loop and
// ends the dispatch: false then.
bool PumpPendingMessages();

enum class WaitOutcome {
    Signalled,  // the event was set
    GaveUp,     // giveUp said the wait no longer matters
    Quit,       // the messenger is closing (its quit request is put back)
};

// Waits for `event` without holding the thread: its messages are dispatched
// meanwhile, so anything (the plug-in's finalisation included) can run nested
// in the wait. `giveUp` is asked after every round of dispatching.
WaitOutcome WaitDispatchingMessages(HANDLE event, const std::function<bool()>& giveUp);

}  // namespace ow
