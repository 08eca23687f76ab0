#pragma once
// The plug-in DLL as the messenger sees it: loaded by name, driven through
// its exports.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "call_with_eax.h"

namespace host {

class PluginLibrary {
public:
    explicit PluginLibrary(const char* fileName = "ostixWeather.dll");
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool loaded() const { return module_ != nullptr; }
    DWORD loadError() const { return loadError_; }
    HMODULE module() const { return module_; }
    // FreeLibrary now, as the messenger does once it has finalised a plug-in;
    // nothing may be called afterwards, until Load.
    void Unload();
    // Loads the same file again after Unload, as the messenger does when the
    // user switches the plug-in on again. True when it is loaded.
    bool Load();

    // pluginFun with a raw envelope; the reply envelope's bytes, or nothing
    // for a null reply.
    std::optional<std::string> Send(const void* envelope);
    std::optional<std::string> SendEvent(std::uint8_t code, std::uint32_t hostCall = 0);

    std::int16_t GetCmd(std::int32_t value);
    bool SendMsg(std::int32_t target, const char* text);
    void GetVersion(const char** variable);
    FARPROC Export(const char* name) const;
    FARPROC ExportByOrdinal(WORD ordinal) const;

private:
    std::string fileName_;
    HMODULE module_ = nullptr;
    DWORD loadError_ = 0;
};

}  // namespace host
