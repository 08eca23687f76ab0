#pragma once
// What the preferences form's buttons, its close request and the system's
// shutdown query do, step by step, over the settings, the status-bar display
// and the form's window.
#include <functional>
#include <string>

#include "common/display_state.h"
#include "display/core/status_display.h"
#include "host/core/place_search_commands.h"
#include "prefs/core/pref_controls.h"
#include "prefs/core/pref_window.h"
#include "prefs/core/settings_ops.h"
#include "weather/core/fetch_weather.h"

namespace ow {

// Downloads for the Test button; a cancelled result means the plug-in was
// finalised meanwhile and nothing else may be touched.
using TestDownload = std::function<FetchResult(const std::string& townCode)>;

class FormCommands {
public:
    // Hiding the window closes `search` too, abandoning a search under way.
    FormCommands(SettingsModel& settings, StatusDisplay& display, DisplayState& state, PrefControls& controls,
                 PrefWindow& window, PlaceSearchCommands& search, TestDownload download)
        : settings_(settings), display_(display), state_(state), controls_(controls), window_(window),
          search_(search), download_(std::move(download)) {}

    void FormShow();         // the window went from hidden to shown
    void TestClick();
    void OkClick();
    void CancelClick();
    void FormCloseQuery();   // a close request: the form only hides
    void QueryEndSession();  // the system asks to log off or shut down

private:
    void Hide();  // the window, and the search with it

    SettingsModel& settings_;
    StatusDisplay& display_;
    DisplayState& state_;
    PrefControls& controls_;
    PrefWindow& window_;
    PlaceSearchCommands& search_;
    TestDownload download_;
};

}  // namespace ow
