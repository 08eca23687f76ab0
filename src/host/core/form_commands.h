#pragma once
// What the preferences form's buttons, its close request and the system's
// shutdown query do, step by step, over the settings, the status-bar display
// and a narrow view of the form window.
#include <functional>
#include <string>

#include "common/display_state.h"
#include "display/core/status_display.h"
#include "prefs/core/pref_controls.h"
#include "prefs/core/settings_ops.h"
#include "weather/core/fetch_weather.h"

namespace ow {

class FormView {
public:
    virtual ~FormView() = default;
    virtual void Hide() = 0;
};

// Downloads for the Test button; a cancelled result means the plug-in was
// finalised meanwhile and nothing else may be touched.
using TestDownload = std::function<FetchResult(const std::string& townCode)>;

class FormCommands {
public:
    FormCommands(SettingsModel& settings, StatusDisplay& display, DisplayState& state, PrefControls& controls,
                 FormView& view, TestDownload download)
        : settings_(settings), display_(display), state_(state), controls_(controls), view_(view),
          download_(std::move(download)) {}

    void FormShow();         // the window went from hidden to shown
    void TestClick();
    void OkClick();
    void CancelClick();
    void FormCloseQuery();   // a close request: the form only hides
    void QueryEndSession();  // the system asks to log off or shut down

private:
    SettingsModel& settings_;
    StatusDisplay& display_;
    DisplayState& state_;
    PrefControls& controls_;
    FormView& view_;
    TestDownload download_;
};

}  // namespace ow
