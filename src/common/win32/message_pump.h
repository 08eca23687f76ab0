#pragma once
#include <windows.h>

#include <functional>

#include "common/message_wait.h"

namespace ow {

// Dispatches every message waiting in the thread's queue, the host's and the
// plug-in's alike. A quit request is put back for the host's own loop and
// ends the dispatch: false then.
bool PumpPendingMessages();

// Waits until `ready` holds without holding the thread: `event` is a reason to
// look again, and the thread's messages are dispatched meanwhile. Gives up at
// `deadline`, a GetTickCount time.
WaitOutcome WaitDispatchingMessages(HANDLE event, const std::function<bool()>& ready, DWORD deadline);

}  // namespace ow
