#pragma once
// Load, apply and save: the settings file, SettingsList, the town lists, the
// window's controls and the working values, copied between each other. Also
// the window handlers' work that is not drawing or timers, so the Win32 form
// only forwards.
#include <optional>
#include <string>
#include <vector>

#include "common/display_state.h"
#include "common/found_place.h"
#include "common/update_timer.h"
#include "common/weather_source.h"
#include "common/working_values.h"
#include "prefs/core/pref_controls.h"
#include "prefs/core/settings_keys.h"
#include "prefs/core/settings_list.h"
#include "prefs/core/settings_store.h"
#include "prefs/core/text_lines.h"

namespace ow {

class SettingsModel {
public:
    // `sources` gives the town list file and built-in town of each source.
    SettingsModel(WorkingValues& values, DisplayState& display, PrefControls& controls, SettingsStore& store,
                  UpdateTimer& updateTimer, WeatherSources sources);

    // Reads the town lists and the settings file (creating it when missing),
    // resets the working values, fills the window, restarts the update timer.
    void LoadSettings();
    // SettingsList into the controls (all but sebarSection) and the working
    // values; restarts the update timer.
    void ApplySettings();
    // The controls into SettingsList, then the file replaced in one step. On a
    // failed write the old file stays and the user gets a message box.
    bool SaveSettings();

    // Test button, before the download: ScrollPosition to rest, the proxy
    // choice and source/town taken from the window. Returns TownCode (the
    // town's name goes to TownName); empty means nothing to download (show
    // TestTownMissingText()).
    std::string TestPrepare();
    std::string TestTownMissingText() const;
    // Working values holding only the window's proxy choice, as Test takes
    // it, for a download that must not change the plug-in's (the place
    // search, whose request reads nothing else).
    WorkingValues WindowProxyValues() const;
    // Test button, after the download: proxy values and SourceIndex back to
    // the stored ones. The town stays the tested one until the next apply.
    void TestRestore();
    // cbResource changed: that source's towns into cbTowns, the first one
    // selected. Working values do not change.
    void ResourceChanged();
    // A place chosen in the place search, for the source chosen in
    // cbResource: selected in cbTowns, after being added to the source's
    // found places (file and list) unless an entry names the same place.
    // False, with everything as it was, when the source has no place search
    // or the file could not be written (the user gets a message box).
    bool ChooseFoundPlace(const FoundPlace& place);
    // Form freed: SettingsList and the town lists are released and count as
    // absent. A LoadSettings still running (its message box open) stops, and
    // ApplySettings does nothing from then on.
    void ReleaseLists();

    // Empty while released.
    const SettingsList& Settings() const;
    const StringList& TownLists(int source) const;
    const StringList& TownNames(int source) const;

private:
    struct Lists {
        SettingsList settings;
        std::vector<StringList> townLists;  // one per source
        std::vector<StringList> townNames;
        std::vector<std::size_t> shippedCounts;  // entries before the found places
    };

    Lists NewLists() const;
    Lists& EnsureLists();
    std::size_t Row(int source) const { return static_cast<std::size_t>(SourceIndexFrom(source, sources_)); }
    void ReadTownFiles(Lists& lists);
    void ResetWorkingValues();
    void ReadSettingsFile(Lists& lists, const std::string& bytes);

    int StoredInt(SettingKey key) const;
    int StoredSource() const;
    bool StoredFlag(SettingKey key) const;
    std::string Stored(SettingKey key) const;
    std::string ValueFromControls(SettingKey key) const;

    void FillTownBox(int source);
    void ShowPlaceSearchFor(int source);
    void SelectTownIfListed(int source, int index);
    void SelectFirstTown(int source);
    // TownCode and TownName from the town selected in the box.
    void TakeSelectedTown(int source);
    void TakeWindowProxy(WorkingValues& values) const;
    void ReadStoredProxyTexts();
    void ShowProxyTexts();
    void ShowScrollSpeedPerCheckBox();
    bool Checked(PrefCheckBox box) const { return controls_.IsChecked(box); }

    WorkingValues& values_;
    DisplayState& display_;
    PrefControls& controls_;
    SettingsStore& store_;
    UpdateTimer& updateTimer_;
    WeatherSources sources_;
    std::optional<Lists> lists_;
};

}  // namespace ow
