#pragma once
namespace ow {
// Dispatches every message waiting in the thread's queue, the host's and the
// plug-in's alike. A quit request is put back for the host's own loop.
void PumpPendingMessages();
}  // namespace ow
