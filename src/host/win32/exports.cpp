// The library's exports. Nothing thrown inside may reach the host, and each
// counts itself in as a call into the plug-in.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "common/win32/plugin_call.h"
#include "host/core/host_protocol.h"
#include "host/win32/plugin_module.h"
#include "host/win32/register_call.h"

namespace {

// A constant counted string in the host's string layout: reference count -1
// (never freed by anyone), length, the text and a terminating zero. The
// caller's previous string belongs to its own memory manager, so GetVersion
// only points the variable at this constant.
template <std::size_t N>
struct ConstantCountedString {
    std::int32_t referenceCount;
    std::int32_t length;
    char text[N + 1];
};

constexpr auto CountedVersion() {
    ConstantCountedString<ow::kPluginVersion.size()> counted{-1, static_cast<std::int32_t>(ow::kPluginVersion.size()), {}};
    for (std::size_t i = 0; i < ow::kPluginVersion.size(); ++i) counted.text[i] = ow::kPluginVersion[i];
    return counted;  // the last byte stays zero
}
constexpr auto kVersionString = CountedVersion();

}  // namespace

extern "C" {

const char* __stdcall pluginFun(const void* event) {
    const ow::PluginCall call;
    try {
        return ow::PluginModule::Instance().PluginFun(event);
    } catch (...) {
        return nullptr;
    }
}

// The host calls this with the mouse button code in EAX.
OW_REGISTER_CALL void PMB(std::int32_t button) {
    const ow::PluginCall call;
    try {
        ow::PluginModule::Instance().IconClicked(button);
    } catch (...) {
    }
}

void __stdcall GetVersionExport(const char** variable) {
    if (variable != nullptr) *variable = kVersionString.text;
}

std::int16_t __stdcall getcmd(std::int32_t value) {
    const ow::PluginCall call;
    try {
        return ow::PluginModule::Instance().GetCmd(value);
    } catch (...) {
        return 0;
    }
}

BOOL __stdcall sendmsg(std::int32_t target, const char* text) {
    const ow::PluginCall call;
    try {
        const std::size_t length = text != nullptr ? std::strlen(text) : 0;
        return ow::PluginModule::Instance().SendMsg(target, std::string_view(text != nullptr ? text : "", length))
                   ? TRUE
                   : FALSE;
    } catch (...) {
        return FALSE;
    }
}

}  // extern "C"
