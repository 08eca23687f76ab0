#pragma once
// The plug-in's module-level state and the Win32 side of its event handling:
// one instance lives as long as the library.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "display/core/display_port.h"
#include "common/display_state.h"
#include "display/core/status_display.h"
#include "host/core/envelope.h"
#include "host/core/host_link.h"
#include "host/core/plugin_lifecycle.h"
#include "common/win32/unique_handle.h"
#include "host/core/form_commands.h"
#include "prefs/core/settings_ops.h"
#include "common/working_values.h"
#include "prefs/win32/pref_form.h"
#include "prefs/win32/settings_files.h"
#include "weather/core/fetch_handles.h"
#include "weather/core/fetch_weather.h"
#include "weather/win32/wininet_port.h"

namespace ow {

class PluginModule final : public LifecyclePort, public HostCaller, public DisplayPort, public FormView {
public:
    static PluginModule& Instance();
    ~PluginModule() override;

    const char* PluginFun(const void* event);
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

    // DisplayPort
    bool WriteStatusBar(int section, std::string_view message) override;
    void SetTestText(std::string_view text) override;
    bool TestScrollTicked() override;
    int TestSpeedPosition() override;
    void SetTimer(int id, std::uint32_t intervalMs) override;
    void KillTimer(int id) override;
    std::string FetchWeather(const std::string& townCode) override;
    void FocusChatInput() override;

    // FormView
    void Hide() override;

private:
    class HandlerScope;
    // How the host's thread entered the plug-in: through an export, or
    // through a message to the form's window.
    enum class EntryKind { Export, FormWindow };
    // The outermost call into the plug-in is leaving.
    void LeftPlugin(EntryKind kind);

    PluginModule();
    FetchResult Download(const std::string& townCode);
    PrefFormEvents FormEvents();
    void MenuItemClick(int tag);
    void InsertIntoChat();
    void ShowFormOnPage(int page);

    // The form and what is created and released with it.
    struct FormParts {
        std::unique_ptr<PrefForm> form;
        std::unique_ptr<SettingsModel> settings;
        std::unique_ptr<FormCommands> commands;
    };

    EnvelopeBuffer envelopeBuffer_;
    HostLink link_{envelopeBuffer_, *this};
    PluginLifecycle lifecycle_{envelopeBuffer_, link_, *this};
    WorkingValues working_;
    DisplayState display_;
    StatusDisplay statusDisplay_{display_, working_, *this};
    WinInetPort internet_;
    FetchRegistry fetches_;
    SettingsFiles files_{[this](std::int64_t period) { statusDisplay_.StartUpdateTimer(period); }};

    PrefForm* form_ = nullptr;  // parts_.form while one exists
    FormParts parts_;
    // A form freed while one of its own handlers is still on the stack (the
    // messenger closing during a download) is kept until it is safe to go.
    std::vector<FormParts> retired_;
    unsigned formGeneration_ = 0;
    int handlerDepth_ = 0;

    HWND hostMainWindow_ = nullptr;
    HWND hostPageControl_ = nullptr;
    HWND chatInput_ = nullptr;
    UniqueIcon pluginIcon_;
};

}  // namespace ow
