#pragma once
// A preferences window and a machine made of plain fields, for the settings
// operations. The controls behave like the real ones: combo boxes select
// none for an index outside their items, the spin box and the track bar
// clamp, an editable combo box shows the selected item's text.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/cp1251.h"
#include "common/display_state.h"
#include "common/working_values.h"
#include "prefs/core/pref_controls.h"
#include "prefs/core/settings_ops.h"
#include "prefs/core/settings_store.h"
#include "weather/core/weather_sources.h"

namespace ow::testing {

class FakePrefControls : public PrefControls {
public:
    // The window's design state.
    int resource = 0;
    StringList towns;
    int town = kNoItem;
    std::string townText;
    int period = 0;
    int barSection = 2;
    int scrollSpeed = 1;
    std::map<PrefCheckBox, bool> checks = {
        {PrefCheckBox::cbScroll, true},    {PrefCheckBox::cbOldStyle, false}, {PrefCheckBox::cbBarRefresh, true},
        {PrefCheckBox::cbUseProxy, false}, {PrefCheckBox::cbProxyAuth, false},
    };
    std::map<PrefEdit, std::string> edits = {{PrefEdit::eProxyPort, "1080"}};
    std::map<PrefPart, bool> shown = {
        {PrefPart::tbScrSpeed, true}, {PrefPart::gbProxy, false}, {PrefPart::ProxyLoginFields, true}};
    std::string testText;

    int ResourceIndex() const override { return resource; }
    void SetResourceIndex(int index) override {
        resource = InRange(index, static_cast<int>(TheWeatherSources().size())) ? index : kNoItem;
    }

    void SetTownItems(const StringList& names) override {
        towns = names;
        town = kNoItem;
    }
    void ClearTownItems() override {
        towns.clear();
        town = kNoItem;
    }
    void ClearTownText() override { townText.clear(); }
    int TownIndex() const override { return town; }
    void SetTownIndex(int index) override {
        town = InRange(index, towns.size()) ? index : kNoItem;
        townText = town == kNoItem ? std::string() : towns[static_cast<std::size_t>(town)];
    }
    std::string TownText() const override { return townText; }

    int PeriodIndex() const override { return period; }
    void SetPeriodIndex(int index) override { period = InRange(index, 4) ? index : kNoItem; }

    int BarSectionValue() const override { return barSection; }
    void SetBarSectionValue(int value) override { barSection = std::clamp(value, kBarSectionMin, kBarSectionMax); }

    int ScrollSpeed() const override { return scrollSpeed; }
    void SetScrollSpeed(int position) override {
        scrollSpeed = std::clamp(position, kScrollSpeedMin, kScrollSpeedMax);
    }

    bool IsChecked(PrefCheckBox box) const override { return checks.at(box); }
    void SetChecked(PrefCheckBox box, bool checked) override { checks[box] = checked; }

    std::string EditText(PrefEdit edit) const override {
        const auto it = edits.find(edit);
        return it == edits.end() ? std::string() : it->second;
    }
    void SetEditText(PrefEdit edit, std::string_view text) override { edits[edit] = std::string(text); }

    void SetTestText(std::string_view text) override { testText = std::string(text); }
    void SetShown(PrefPart part, bool on) override { shown[part] = on; }

private:
    static bool InRange(int index, std::size_t count) {
        return index >= 0 && static_cast<std::size_t>(index) < count;
    }
};

struct MessageBoxShown {
    std::string caption;
    std::string text;
};

// Also the update timer, so one record holds what the settings touched.
class FakeSettingsStore : public SettingsStore, public UpdateTimer {
public:
    std::map<std::string, std::string, std::less<>> files;
    bool writesFail = false;
    std::vector<MessageBoxShown> boxes;
    std::vector<std::string> log;
    std::vector<std::int64_t> timerStarts;
    std::function<void()> whileBoxIsOpen;  // the messages a modal box dispatches

    std::optional<std::string> ReadFile(std::string_view fileName) override {
        const auto it = files.find(fileName);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    bool WriteFileAtomically(std::string_view fileName, std::string_view bytes) override {
        if (writesFail) return false;
        files[std::string(fileName)] = std::string(bytes);
        return true;
    }
    void ShowMessageBox(std::string_view caption, std::string_view text) override {
        boxes.push_back({std::string(caption), std::string(text)});
        if (whileBoxIsOpen) whileBoxIsOpen();
    }
    void WriteDebugLog(std::string_view message) override { log.emplace_back(message); }
    void StartUpdateTimer(std::int64_t periodMs) override { timerStarts.push_back(periodMs); }
};


// Small town lists of different lengths, so indexing the wrong source shows.
inline constexpr auto kTestGisTowns = Cp1251(u8"Москва=27612\r\nИркутск=30710\r\nКиев=33345\r\n");
inline constexpr std::string_view kTestWuTowns = "Moscow=27612\r\nIrkutsk=30710\r\nKyiv=33345\r\nMinsk=26850\r\n";
inline constexpr auto kTestOmTowns = Cp1251(u8"Москва=55.7522,37.6156\r\nИркутск=52.2978,104.2964\r\n");

// The model wired to the fakes, as the form wires it to the real window.
struct SettingsHarness {
    WorkingValues values;
    DisplayState display;
    FakePrefControls controls;
    FakeSettingsStore store;
    SettingsModel model{values, display, controls, store, store, TheWeatherSources()};

    void PutTownLists() {
        store.files["gis_towns.ini"] = kTestGisTowns.str();
        store.files["wu_towns.ini"] = std::string(kTestWuTowns);
        store.files["om_towns.ini"] = kTestOmTowns.str();
    }
    void PutSettings(std::string_view bytes) { store.files[std::string(kSettingsFileName)] = std::string(bytes); }
    const std::string& SettingsFile() { return store.files.at(std::string(kSettingsFileName)); }

    // What PE_INITIALIZE and PE_PREFERENCES run.
    void Initialise() {
        model.LoadSettings();
        model.ApplySettings();
    }
    // bOkClick without the window parts.
    void PressOk() {
        model.SaveSettings();
        model.ApplySettings();
    }
};

}  // namespace ow::testing
