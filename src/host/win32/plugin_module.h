#pragma once
// The plug-in as one object that lives as long as the library: it builds the
// parts, hands each the ports it needs, and carries out the lifecycle's steps
// by handing each to the part it belongs to.
#include <cstdint>
#include <string_view>

#include "common/display_state.h"
#include "common/working_values.h"
#include "display/core/status_display.h"
#include "host/core/envelope.h"
#include "host/core/host_link.h"
#include "host/core/lifecycle_port.h"
#include "host/core/plugin_lifecycle.h"
#include "host/win32/form_display_port.h"
#include "host/win32/form_lifetime.h"
#include "host/win32/host_callback.h"
#include "host/win32/host_windows.h"
#include "host/win32/weather_download.h"
#include "prefs/win32/settings_files.h"

namespace ow {

class PluginModule final : public LifecyclePort {
public:
    // Made at the first call into the plug-in; no guard of the runtime's is
    // needed, as only the host's thread calls in.
    static PluginModule& Instance();
    // When the library is unloaded: by then the plug-in holds nothing but
    // memory (finalisation gave everything else back, and the plug-in's own
    // reference kept the library until it had), and only memory is freed
    // here, as nothing more may be done while the system loads or unloads
    // libraries.
    static void FreeAtUnload() noexcept;
    ~PluginModule() override = default;

    // The exports.
    const char* PluginFun(const void* event);
    void IconClicked(std::int32_t button);
    std::int16_t GetCmd(std::int32_t value) { return link_.GetCmd(value); }
    bool SendMsg(std::int32_t target, std::string_view text) { return link_.SendMsg(target, text); }

    // LifecyclePort
    void WriteDebugLog(std::string_view message) override;
    bool FormExists() const override { return forms_.Exists(); }
    void CreateForm() override;
    void FreeForm() override;
    void SetHostMainWindow(std::int32_t window) override { host_.SetMainWindow(window); }
    std::int32_t LoadPluginIcon() override { return host_.PluginIcon(); }
    std::int32_t ClickCallbackAddress() override;
    void FindHostPageControl() override { host_.FindPageControl(); }
    void LoadSettings() override;
    void ApplySettings() override;
    void ShowStatusText(std::string_view text) override;
    void StopTimers() override { statusDisplay_.StopTimers(); }
    void CloseInternetHandles() override { download_.CloseAll(); }
    void SelectFirstPage() override;
    void ShowForm() override;

private:
    PluginModule() = default;
    PrefFormEvents FormEvents(const std::shared_ptr<bool>& alive);
    PlaceSearchEvents SearchEvents(const std::shared_ptr<bool>& alive);

    EnvelopeBuffer envelopeBuffer_;
    HostCallback hostCallback_;
    HostLink link_{envelopeBuffer_, hostCallback_};
    PluginLifecycle lifecycle_{envelopeBuffer_, link_, *this};
    WorkingValues working_;
    DisplayState display_;
    HostWindows host_;
    WeatherDownload download_{working_, display_, [this] { statusDisplay_.ApplyTickerStartRule(); }};
    FormDisplayPort displayPort_{forms_, host_, [this](const std::string& code) -> std::optional<std::string> {
                                     FetchResult result = download_.Run(code);
                                     if (result.cancelled) return std::nullopt;
                                     return std::move(result.text);
                                 }};
    StatusDisplay statusDisplay_{display_, working_, displayPort_};
    SettingsFiles files_;
    // Last, so a form still there when the library goes is destroyed first,
    // while everything its parts refer to still exists.
    FormLifetime forms_;
};

}  // namespace ow
