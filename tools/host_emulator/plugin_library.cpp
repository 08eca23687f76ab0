#include "plugin_library.h"

#include <cstring>

#include "host_contract.h"

namespace host {

PluginLibrary::PluginLibrary(const char* fileName) : fileName_(fileName) { Load(); }

bool PluginLibrary::Load() {
    if (module_ == nullptr) {
        module_ = LoadLibraryA(fileName_.c_str());
        loadError_ = module_ == nullptr ? GetLastError() : 0;
    }
    return module_ != nullptr;
}

PluginLibrary::~PluginLibrary() { Unload(); }

void PluginLibrary::Unload() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
}

FARPROC PluginLibrary::Export(const char* name) const {
    return module_ != nullptr ? GetProcAddress(module_, name) : nullptr;
}

FARPROC PluginLibrary::ExportByOrdinal(WORD ordinal) const {
    return module_ != nullptr ? GetProcAddress(module_, MAKEINTRESOURCEA(ordinal)) : nullptr;
}

std::optional<std::string> PluginLibrary::Send(const void* envelope) {
    using PluginFun = const unsigned char*(__stdcall*)(const void*);
    auto fn = reinterpret_cast<PluginFun>(Export("pluginFun"));
    if (fn == nullptr) return std::nullopt;
    const unsigned char* reply = fn(envelope);
    if (reply == nullptr) return std::nullopt;
    std::int32_t length = 0;
    std::memcpy(&length, reply, 4);
    if (length < 0 || length > (1 << 20)) return std::string(reinterpret_cast<const char*>(reply), 4);
    return std::string(reinterpret_cast<const char*>(reply), 4 + static_cast<std::size_t>(length));
}

std::optional<std::string> PluginLibrary::SendEvent(std::uint8_t code, std::uint32_t hostCall) {
    std::string body{3, static_cast<char>(code)};
    if (code == 1) body += Int32Bytes(static_cast<std::int32_t>(hostCall));
    const std::string envelope = Envelope(body);
    return Send(envelope.data());
}

std::int16_t PluginLibrary::GetCmd(std::int32_t value) {
    using Fn = std::int16_t(__stdcall*)(std::int32_t);
    auto fn = reinterpret_cast<Fn>(Export("getcmd"));
    return fn != nullptr ? fn(value) : 0;
}

bool PluginLibrary::SendMsg(std::int32_t target, const char* text) {
    using Fn = BOOL(__stdcall*)(std::int32_t, const char*);
    auto fn = reinterpret_cast<Fn>(Export("sendmsg"));
    return fn != nullptr && fn(target, text) != FALSE;
}

void PluginLibrary::GetVersion(const char** variable) {
    using Fn = void(__stdcall*)(const char**);
    auto fn = reinterpret_cast<Fn>(Export("GetVersion"));
    if (fn != nullptr) fn(variable);
}

}  // namespace host
