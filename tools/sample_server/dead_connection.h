#pragma once
// The behaviours in which no answer leaves at all: a dead server or proxy
// (refuse), or one that keeps the client waiting and then gives up
// (hold-close).
#include <httplib.h>

#include "behaviour.h"
#include "stop_signal.h"

namespace ow::sample {

// True when the behaviour drops the connection, which it has then done
// (waiting first for hold-close); whatever the handler answers never leaves.
bool DropConnectionIfAsked(const Behaviour& behaviour, const StopSignal& stop, httplib::Response& response);

}  // namespace ow::sample
