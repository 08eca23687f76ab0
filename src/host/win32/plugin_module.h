#pragma once
// The plug-in's module-level state and the Win32 side of its event handling:
// one instance lives as long as the library.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>

#include "display/core/display_state.h"
#include "host/core/envelope.h"
#include "host/core/host_link.h"
#include "host/core/plugin_lifecycle.h"
#include "host/win32/unique_handle.h"
#include "prefs/core/working_values.h"
#include "prefs/win32/pref_form.h"

namespace ow {

class PluginModule final : public LifecyclePort, public HostCaller {
public:
    static PluginModule& Instance();

    const char* PluginFun(const void* event) { return lifecycle_.HandleEvent(event); }
    void IconClicked(std::int32_t button);
    std::int16_t GetCmd(std::int32_t value) { return link_.GetCmd(value); }
    bool SendMsg(std::int32_t target, std::string_view text) { return link_.SendMsg(target, text); }

    // HostCaller
    const void* Call(std::uint32_t hostCall, const char* envelope) override;

    // LifecyclePort
    void WriteDebugLog(std::string_view message) override;
    bool FormExists() const override { return form_ != nullptr; }
    void CreateForm() override;
    void FreeForm() override;
    void SetHostMainWindow(std::int32_t window) override;
    std::int32_t LoadPluginIcon() override;
    std::int32_t ClickCallbackAddress() override;
    void FindHostPageControl() override;
    void LoadSettings() override;
    void ApplySettings() override;
    void ShowStatusText(std::string_view text) override;
    void StopTimers() override;
    void CloseInternetHandles() override;
    void SelectFirstPage() override;
    void ShowForm() override;

private:
    PluginModule();
    void OnTimer(UINT_PTR id);
    void OnQueryEndSession();

    EnvelopeBuffer envelopeBuffer_;
    HostLink link_{envelopeBuffer_, *this};
    PluginLifecycle lifecycle_{envelopeBuffer_, link_, *this};
    WorkingValues working_;
    DisplayState display_;
    HWND hostMainWindow_ = nullptr;
    HWND hostPageControl_ = nullptr;
    UniqueIcon pluginIcon_;
    std::unique_ptr<PrefForm> form_;
};

}  // namespace ow
