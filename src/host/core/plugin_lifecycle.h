#pragma once
// pluginFun's work: validates an event envelope and runs the initialise,
// finalise and preferences steps in their fixed order.
#include <cstdint>

#include "host/core/envelope.h"
#include "host/core/host_link.h"
#include "host/core/lifecycle_port.h"

namespace ow {

class PluginLifecycle {
public:
    PluginLifecycle(EnvelopeBuffer& buffer, HostLink& host, LifecyclePort& port)
        : buffer_(buffer), host_(host), port_(port) {}

    // Returns the reply envelope (inside the envelope buffer) or null.
    const char* HandleEvent(const void* event);

private:
    const char* Initialize(std::uint32_t hostCall);
    const char* InitializeFailed();
    const char* Finalize();
    const char* Preferences();
    // A host request or a message box lets the host's messages run, and the
    // host may finalise the plug-in in one of them (it is closing). Each
    // finalisation counts, so a step can tell that one ran since it began.
    bool FinalizedSince(std::uint32_t count) const { return finalizations_ != count; }

    EnvelopeBuffer& buffer_;
    HostLink& host_;
    LifecyclePort& port_;
    std::int32_t iconId_ = 0;
    std::uint32_t finalizations_ = 0;
};

}  // namespace ow
