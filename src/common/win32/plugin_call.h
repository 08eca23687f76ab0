#pragma once
// How deep the host's thread is inside the plug-in's code. Each export and
// each window procedure of the plug-in counts itself in for the length of
// its call; references on the library that must outlive the plug-in's code
// on that thread wait for the count to come back to zero (library_hold.h).
namespace ow {

class PluginCall {
public:
    PluginCall() noexcept;
    ~PluginCall();
    PluginCall(const PluginCall&) = delete;
    PluginCall& operator=(const PluginCall&) = delete;

    // 1 inside a call the host made directly; more inside a message that a
    // call of the plug-in's own dispatched.
    static int Depth() noexcept;
};

}  // namespace ow
