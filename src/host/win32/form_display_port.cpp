#include "host/win32/form_display_port.h"

#include "common/timer_rules.h"

namespace ow {

bool FormDisplayPort::WriteStatusBar(int section, std::string_view message) {
    return host_.WriteStatusBar(section, message);
}

void FormDisplayPort::SetTestText(std::string_view text) {
    if (PrefForm* form = forms_.Form()) form->SetTestText(text);
}

bool FormDisplayPort::TestScrollTicked() {
    const PrefForm* form = forms_.Form();
    return form != nullptr && form->IsChecked(PrefCheckBox::cbScroll);
}

int FormDisplayPort::TestSpeedPosition() {
    const PrefForm* form = forms_.Form();
    return form != nullptr ? form->ScrollSpeed() : kScrollSpeedMin;
}

void FormDisplayPort::SetTimer(int id, std::uint32_t intervalMs) {
    if (const PrefForm* form = forms_.Form()) ::SetTimer(form->window(), static_cast<UINT_PTR>(id), intervalMs, nullptr);
}

void FormDisplayPort::KillTimer(int id) {
    if (const PrefForm* form = forms_.Form()) ::KillTimer(form->window(), static_cast<UINT_PTR>(id));
}

std::optional<std::string> FormDisplayPort::FetchWeather(const std::string& townCode) {
    return download_(townCode);
}

void FormDisplayPort::FocusChatInput() { host_.FocusChatInput(); }

}  // namespace ow
