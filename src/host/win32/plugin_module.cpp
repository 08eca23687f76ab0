#include "host/win32/plugin_module.h"

#include <new>
#include <utility>

#include "common/win32/debug_log.h"
#include "common/win32/module_instance.h"
#include "host/win32/register_call.h"
#include "weather/core/weather_sources.h"

extern "C" OW_REGISTER_CALL void PMB(std::int32_t button);

namespace ow {

namespace {
alignas(PluginModule) unsigned char g_storage[sizeof(PluginModule)];
PluginModule* g_module = nullptr;
}  // namespace

PluginModule& PluginModule::Instance() {
    if (g_module == nullptr) g_module = new (g_storage) PluginModule;  // none when this throws
    return *g_module;
}

void PluginModule::FreeAtUnload() noexcept {
    if (g_module != nullptr) std::exchange(g_module, nullptr)->~PluginModule();
}

const char* PluginModule::PluginFun(const void* event) {
    FormLifetime::Scope scope(forms_, FormLifetime::Entry::Export);
    return lifecycle_.HandleEvent(event);
}

void PluginModule::IconClicked(std::int32_t button) {
    if (!forms_.Exists()) return;  // not initialised, or already finalised
    FormLifetime::Scope scope(forms_, FormLifetime::Entry::Export);
    if (button == 0) {
        statusDisplay_.RefreshWeather();
    } else if (button == 1) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        forms_.Form()->OpenPopupMenu(cursor);
    }
}

void PluginModule::WriteDebugLog(std::string_view message) { ow::WriteDebugLog(message); }

PrefFormEvents PluginModule::FormEvents(const std::shared_ptr<bool>& alive) {
    const auto guard = [this, &alive](auto action) { return forms_.Guard(alive, action); };
    const auto parts = [this]() -> FormParts& { return forms_.Current(); };
    PrefFormEvents events;
    events.onTimer = guard([this](UINT_PTR id) { statusDisplay_.HandleTimerMessage(id); });
    events.onQueryEndSession = guard([parts] { parts().commands->QueryEndSession(); });
    events.onShow = guard([parts] { parts().commands->FormShow(); });
    events.onTest = guard([parts] { parts().commands->TestClick(); });
    events.onOk = guard([parts] { parts().commands->OkClick(); });
    events.onCancel = guard([parts] { parts().commands->CancelClick(); });
    events.onCloseQuery = guard([parts] { parts().commands->FormCloseQuery(); });
    events.onResourceChange = guard([parts] { parts().settings->ResourceChanged(); });
    events.onFindPlace = guard([parts] { parts().searchCommands->FindPlaceClick(); });
    events.onMenuItem = guard([parts](int tag) { parts().menu->MenuItemClick(tag); });
    return events;
}

PlaceSearchEvents PluginModule::SearchEvents(const std::shared_ptr<bool>& alive) {
    return forms_.Guard(alive, [this](PlaceSearchAction action) {
        PlaceSearchCommands& commands = *forms_.Current().searchCommands;
        switch (action) {
            case PlaceSearchAction::kSearch: return commands.SearchClick();
            case PlaceSearchAction::kChoose: return commands.ChooseClick();
            case PlaceSearchAction::kClose: return commands.Close();
        }
    });
}

void PluginModule::CreateForm() {
    FormParts parts;
    parts.hold = LibraryHold::Take();
    parts.alive = std::make_shared<bool>(true);
    parts.form = std::make_unique<PrefForm>(ModuleInstance(), FormEvents(parts.alive), TheWeatherSources());
    parts.settings =
        std::make_unique<SettingsModel>(working_, display_, *parts.form, files_, statusDisplay_, TheWeatherSources());
    parts.search = std::make_unique<PlaceSearchWindow>(ModuleInstance(), parts.form->window(), SearchEvents(parts.alive));
    parts.searchCommands = std::make_unique<PlaceSearchCommands>(
        *parts.settings, *parts.search,
        [this](const std::string& name, const WorkingValues& values) { return download_.SearchPlaces(name, values); });
    parts.commands = std::make_unique<FormCommands>(*parts.settings, statusDisplay_, display_, *parts.form,
                                                    *parts.form, *parts.searchCommands,
                                                    [this](const std::string& code) { return download_.Run(code); });
    parts.menu = std::make_unique<MenuCommands>(statusDisplay_, host_, *parts.form, *parts.alive);
    forms_.Adopt(std::move(parts));
    statusDisplay_.Attach(displayPort_);
}

void PluginModule::FreeForm() {
    statusDisplay_.Detach();
    forms_.Free();
    // The host has removed the icon by now; it goes with the session, before
    // the library can be unloaded.
    host_.ReleasePluginIcon();
}

std::int32_t PluginModule::ClickCallbackAddress() {
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(&PMB));
}

void PluginModule::LoadSettings() {
    if (forms_.Exists()) forms_.Current().settings->LoadSettings();
}

void PluginModule::ApplySettings() {
    if (forms_.Exists()) forms_.Current().settings->ApplySettings();
}

void PluginModule::ShowStatusText(std::string_view text) {
    // Also with no form: PE_FINALIZE before any PE_INITIALIZE writes its line.
    if (!statusDisplay_.IsAttached()) statusDisplay_.Attach(displayPort_);
    statusDisplay_.ShowStatusText(text);
}

void PluginModule::SelectFirstPage() {
    if (PrefForm* form = forms_.Form()) form->SelectPage(kOptionsPage);
}

void PluginModule::ShowForm() {
    if (PrefForm* form = forms_.Form()) form->Show();
}

}  // namespace ow
