#include "host/core/form_commands.h"

#include "common/status_texts.h"

namespace ow {

void FormCommands::FormShow() {
    display_.StopTimers();
    state_.TestMode = true;
}

void FormCommands::TestClick() {
    display_.StopTimers();
    const std::string townCode = settings_.TestPrepare();
    if (!townCode.empty()) {
        const FetchResult result = download_(townCode);
        if (result.cancelled) return;  // finalised during the download: the form may be gone
        state_.CachedWeatherLine = result.text;
        controls_.SetTestText(WithWeatherPrefix(result.text));
    } else {
        controls_.SetTestText(settings_.TestTownMissingText());
    }
    settings_.TestRestore();
}

void FormCommands::OkClick() {
    display_.StopTimers();
    state_.TestMode = false;
    display_.ShowStatusText("");  // clears the section chosen before the change
    settings_.SaveSettings();
    settings_.ApplySettings();
    Hide();
}

void FormCommands::CancelClick() {
    display_.StopTimers();
    state_.TestMode = false;
    settings_.ApplySettings();
    Hide();
}

void FormCommands::FormCloseQuery() {
    display_.OnFormCloseQuery();
    Hide();
}

void FormCommands::QueryEndSession() {
    display_.OnQueryEndSession();
    FormCloseQuery();
}

void FormCommands::Hide() {
    search_.Close();
    window_.Hide();
}

}  // namespace ow
