#include "common/win32/plugin_call.h"

#include "common/win32/library_hold.h"

namespace ow {

namespace {
// Only the host's thread enters the plug-in.
int g_depth = 0;
}  // namespace

PluginCall::PluginCall() noexcept { ++g_depth; }

PluginCall::~PluginCall() {
    if (--g_depth == 0) LibraryHold::HostThreadLeft();
}

int PluginCall::Depth() noexcept { return g_depth; }

}  // namespace ow
