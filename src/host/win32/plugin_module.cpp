#include "host/win32/plugin_module.h"

#include "display/core/display_texts.h"
#include "display/core/window_timers.h"
#include "display/win32/status_bar_writer.h"
#include "host/win32/debug_log.h"
#include "host/win32/module_instance.h"
#include "host/win32/register_call.h"

extern "C" OW_REGISTER_CALL void PMB(std::int32_t button);

namespace ow {

namespace {
using HostCallFunction = const void*(__stdcall*)(const void* envelope);
}  // namespace

PluginModule& PluginModule::Instance() {
    static PluginModule module;
    return module;
}

PluginModule::PluginModule() = default;

const void* PluginModule::Call(std::uint32_t hostCall, const char* envelope) {
    return reinterpret_cast<HostCallFunction>(static_cast<std::uintptr_t>(hostCall))(envelope);
}

void PluginModule::WriteDebugLog(std::string_view message) { ow::WriteDebugLog(message); }

void PluginModule::CreateForm() {
    form_ = std::make_unique<PrefForm>(ModuleInstance(), PrefFormEvents{
                                                             [this](UINT_PTR id) { OnTimer(id); },
                                                             [this] { OnQueryEndSession(); },
                                                         });
}

void PluginModule::FreeForm() { form_.reset(); }

void PluginModule::SetHostMainWindow(std::int32_t window) {
    hostMainWindow_ = reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
}

std::int32_t PluginModule::LoadPluginIcon() {
    if (!pluginIcon_) {
        pluginIcon_.reset(static_cast<HICON>(
            LoadImageA(ModuleInstance(), "MAINICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    }
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(pluginIcon_.get()));
}

std::int32_t PluginModule::ClickCallbackAddress() {
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(&PMB));
}

void PluginModule::FindHostPageControl() {
    if (hostMainWindow_ != nullptr) hostPageControl_ = FindWindowExA(hostMainWindow_, nullptr, "TPageControl", nullptr);
}

void PluginModule::LoadSettings() {}

void PluginModule::ApplySettings() {}

void PluginModule::ShowStatusText(std::string_view text) {
    std::string message;
    if (!text.empty()) message = kWeatherPrefix.str().append(text);
    WriteStatusBar(hostMainWindow_, working_.BarSection, message);
}

void PluginModule::StopTimers() {
    if (!form_) return;
    for (int id : {kScrollTimer, kUpdateTimer, kRedisplayTimer}) KillTimer(form_->window(), id);
}

void PluginModule::CloseInternetHandles() {}

void PluginModule::SelectFirstPage() {
    if (form_) form_->SelectPage(0);
}

void PluginModule::ShowForm() {
    if (form_) form_->Show();
}

void PluginModule::IconClicked(std::int32_t button) {
    if (!form_) return;  // not initialised, or already finalised
    (void)button;
}

void PluginModule::OnTimer(UINT_PTR) {}

void PluginModule::OnQueryEndSession() {
    StopTimers();
    if (form_) form_->Hide();
}

}  // namespace ow
