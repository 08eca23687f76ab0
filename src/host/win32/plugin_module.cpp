#include "host/win32/plugin_module.h"

#include "display/core/chat_text.h"
#include "common/win32/window_text.h"
#include "display/win32/chat_input.h"
#include "display/win32/status_bar_writer.h"
#include "common/win32/debug_log.h"
#include "common/win32/module_instance.h"
#include "host/win32/register_call.h"
#include "weather/core/extract_weather_line.h"

extern "C" OW_REGISTER_CALL void PMB(std::int32_t button);

namespace ow {

namespace {
using HostCallFunction = const void*(__stdcall*)(const void* envelope);
}  // namespace

// Counts the plug-in's own code on the stack, so a form freed from inside a
// nested call is kept until nothing of it runs any more, and lets go of what
// waited for that moment once the outermost call leaves.
class PluginModule::HandlerScope {
public:
    HandlerScope(PluginModule& module, EntryKind kind) : module_(module), kind_(kind) { ++module_.handlerDepth_; }
    ~HandlerScope() {
        if (--module_.handlerDepth_ == 0) module_.LeftPlugin(kind_);
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

private:
    PluginModule& module_;
    EntryKind kind_;
};

PluginModule& PluginModule::Instance() {
    static PluginModule module;
    return module;
}

PluginModule::PluginModule() = default;

PluginModule::~PluginModule() {
    statusDisplay_.Detach();
    fetches_.CloseAll();
}

const char* PluginModule::PluginFun(const void* event) {
    if (handlerDepth_ == 0) retired_.clear();
    HandlerScope scope(*this, EntryKind::Export);
    return lifecycle_.HandleEvent(event);
}

void PluginModule::IconClicked(std::int32_t button) {
    if (form_ == nullptr) return;  // not initialised, or already finalised
    if (handlerDepth_ == 0) retired_.clear();
    HandlerScope scope(*this, EntryKind::Export);
    if (button == 0) {
        statusDisplay_.RefreshWeather();
    } else if (button == 1) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        form_->OpenPopupMenu(cursor);
    }
}

const void* PluginModule::Call(std::uint32_t hostCall, const char* envelope) {
    return reinterpret_cast<HostCallFunction>(static_cast<std::uintptr_t>(hostCall))(envelope);
}

void PluginModule::WriteDebugLog(std::string_view message) { ow::WriteDebugLog(message); }

PrefFormEvents PluginModule::FormEvents() {
    // Every event checks that it comes from the current form and not from
    // one that was freed meanwhile.
    const unsigned generation = formGeneration_;
    auto guarded = [this, generation](auto action) {
        return [this, generation, action](auto... args) {
            if (generation != formGeneration_ || form_ == nullptr) return;
            HandlerScope scope(*this, EntryKind::FormWindow);
            action(args...);
        };
    };
    PrefFormEvents events;
    events.onTimer = guarded([this](UINT_PTR id) { statusDisplay_.HandleTimerMessage(id); });
    events.onQueryEndSession = guarded([this] { parts_.commands->QueryEndSession(); });
    events.onShow = guarded([this] { parts_.commands->FormShow(); });
    events.onTest = guarded([this] { parts_.commands->TestClick(); });
    events.onOk = guarded([this] { parts_.commands->OkClick(); });
    events.onCancel = guarded([this] { parts_.commands->CancelClick(); });
    events.onCloseQuery = guarded([this] { parts_.commands->FormCloseQuery(); });
    events.onResourceChange = guarded([this] { parts_.settings->ResourceChanged(); });
    events.onMenuItem = guarded([this](int tag) { MenuItemClick(tag); });
    return events;
}

void PluginModule::CreateForm() {
    ++formGeneration_;
    FormParts parts;
    parts.form = std::make_unique<PrefForm>(ModuleInstance(), FormEvents());
    parts.settings = std::make_unique<SettingsModel>(working_, display_, *parts.form, files_);
    parts.commands = std::make_unique<FormCommands>(*parts.settings, statusDisplay_, display_, *parts.form, *this,
                                                    [this](const std::string& code) { return Download(code); });
    parts_ = std::move(parts);
    form_ = parts_.form.get();
    statusDisplay_.Attach(*this);
}

void PluginModule::LeftPlugin(EntryKind kind) {
    internet_.ReleaseEndedWorkers();
    if (retired_.empty()) return;
    if (kind == EntryKind::Export) {
        retired_.clear();
        return;
    }
    // A form's own window procedure is still on the stack: its object must
    // stay, but its windows go now, on the host's thread, while the library
    // is surely mapped (the host may unload it before calling again).
    for (FormParts& parts : retired_) parts.form->DestroyWindowNow();
}

void PluginModule::FreeForm() {
    statusDisplay_.Detach();
    ++formGeneration_;
    form_ = nullptr;
    parts_.settings->ReleaseLists();  // a load still running stops
    if (handlerDepth_ > 1 || fetches_.InProgress() > 0) {
        parts_.form->Hide();
        retired_.push_back(std::move(parts_));
    } else {
        parts_.commands.reset();
        parts_.settings.reset();
        parts_.form.reset();
    }
    parts_ = FormParts{};
}

void PluginModule::SetHostMainWindow(std::int32_t window) {
    hostMainWindow_ = reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
}

std::int32_t PluginModule::LoadPluginIcon() {
    if (!pluginIcon_) {
        pluginIcon_.reset(
            static_cast<HICON>(LoadImageA(ModuleInstance(), "MAINICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    }
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(pluginIcon_.get()));
}

std::int32_t PluginModule::ClickCallbackAddress() {
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(&PMB));
}

void PluginModule::FindHostPageControl() {
    if (hostMainWindow_ != nullptr) hostPageControl_ = FindWindowExA(hostMainWindow_, nullptr, "TPageControl", nullptr);
}

void PluginModule::LoadSettings() {
    if (parts_.settings) parts_.settings->LoadSettings();
}

void PluginModule::ApplySettings() {
    if (parts_.settings) parts_.settings->ApplySettings();
}

void PluginModule::ShowStatusText(std::string_view text) {
    if (!statusDisplay_.IsAttached()) statusDisplay_.Attach(*this);
    statusDisplay_.ShowStatusText(text);
}

void PluginModule::StopTimers() { statusDisplay_.StopTimers(); }

void PluginModule::CloseInternetHandles() { fetches_.CloseAll(); }

void PluginModule::SelectFirstPage() {
    if (form_ != nullptr) form_->SelectPage(kOptionsPage);
}

void PluginModule::ShowForm() {
    if (form_ != nullptr) form_->Show();
}

bool PluginModule::WriteStatusBar(int section, std::string_view message) {
    return ow::WriteStatusBar(hostMainWindow_, section, message);
}

void PluginModule::SetTestText(std::string_view text) {
    if (form_ != nullptr) form_->SetTestText(text);
}

bool PluginModule::TestScrollTicked() { return form_ != nullptr && form_->IsChecked(PrefCheckBox::cbScroll); }

int PluginModule::TestSpeedPosition() { return form_ != nullptr ? form_->ScrollSpeed() : kScrollSpeedMin; }

void PluginModule::SetTimer(int id, std::uint32_t intervalMs) {
    if (form_ != nullptr) ::SetTimer(form_->window(), static_cast<UINT_PTR>(id), intervalMs, nullptr);
}

void PluginModule::KillTimer(int id) {
    if (form_ != nullptr) ::KillTimer(form_->window(), static_cast<UINT_PTR>(id));
}

std::string PluginModule::FetchWeather(const std::string& townCode) { return Download(townCode).text; }

FetchResult PluginModule::Download(const std::string& townCode) {
    const FetchServices services{internet_, fetches_, &ExtractWeatherLine,
                                 [this] { statusDisplay_.ApplyTickerStartRule(); }};
    return ow::FetchWeather(townCode, working_, display_, services);
}

void PluginModule::FocusChatInput() {
    if (chatInput_ != nullptr && IsWindow(chatInput_)) SetFocus(chatInput_);
}

void PluginModule::Hide() {
    if (form_ != nullptr) form_->Hide();
}

void PluginModule::MenuItemClick(int tag) {
    switch (tag) {
        case kMenuRefresh:
            statusDisplay_.RefreshWeather();
            break;
        case kMenuInsert:
            InsertIntoChat();
            break;
        case kMenuOptions:
            ShowFormOnPage(kOptionsPage);
            break;
        case kMenuAbout:
            ShowFormOnPage(kAboutPage);
            break;
        default:
            break;
    }
}

void PluginModule::InsertIntoChat() {
    chatInput_ = FindChatInput(hostPageControl_);
    const unsigned generation = formGeneration_;
    const std::string line = statusDisplay_.CurrentWeatherLine();  // may download
    if (generation != formGeneration_) return;                      // finalised meanwhile
    if (chatInput_ == nullptr || !IsWindow(chatInput_)) return;
    // Read only now: the messenger stays responsive during the download, and
    // what the user typed meanwhile must not be lost.
    WriteChatInput(chatInput_, CombineChatText(ReadWindowText(chatInput_), line));
}

void PluginModule::ShowFormOnPage(int page) {
    if (form_ == nullptr) return;
    form_->SelectPage(page);
    form_->Show();
}

}  // namespace ow
