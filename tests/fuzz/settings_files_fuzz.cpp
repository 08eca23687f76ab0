// Feeds arbitrary bytes as the settings file and the two town lists to
// load, apply and save, then loads what was saved into a fresh window; the
// settings file's bytes are also read as the kept forecast's file.
//
// Input: a six-byte head, then the three files back to back.
//   byte 0   flags: 1 settings file present, 2 gis_towns.ini present,
//            4 wu_towns.ini present, 8 writes fail, 16 the user switches the
//            source and picks a town before saving
//   byte 1   the town picked (signed)
//   bytes 2-3, 4-5  sizes of the settings file and of gis_towns.ini
//   the rest: the settings file, gis_towns.ini, wu_towns.ini
// Sizes past the end of the input are cut to what is there.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>

#include "common/timer_rules.h"
#include "display/core/kept_forecast.h"
#include "prefs/core/settings_keys.h"
#include "prefs/core/settings_list.h"
#include "prefs/core/town_lists.h"
#include "settings_fakes.h"

namespace {

using namespace ow;
using ow::testing::SettingsHarness;

enum Flags : std::uint8_t {
    kSettingsPresent = 1,
    kGisPresent = 2,
    kWuPresent = 4,
    kWritesFail = 8,
    kUserSwitchesSource = 16,
};

void Require(bool ok) {
    if (!ok) std::abort();
}

std::string WithoutLineEnds(std::string_view bytes) {
    std::string out;
    for (char c : bytes)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

// The list's lines, as its file bytes hold them.
StringList LinesOf(const SettingsList& list) { return SplitLines(list.ToBytes()); }

// Lines survive writing and reading back; only the line ends change.
void CheckSettingsListRoundTrip(std::string_view bytes) {
    SettingsList list(bytes);
    std::string joined;
    for (const std::string& line : LinesOf(list)) {
        Require(line.find_first_of("\r\n") == std::string::npos);
        joined += line;
    }
    Require(joined == WithoutLineEnds(bytes));
    Require(LinesOf(SettingsList(list.ToBytes())) == LinesOf(list));

    // Setting the first key found replaces its line in place; an empty value
    // removes exactly that line.
    for (std::size_t i = 0; i < LinesOf(list).size(); ++i) {
        const std::string line = LinesOf(list)[i];
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        const std::string value = "v" + line;
        const StringList before = LinesOf(list);
        list.SetValue(key, value);
        Require(list.Value(key) == value && LinesOf(list).size() == before.size());
        Require(LinesOf(list)[i] == key + "=" + value);
        list.SetValue(key, "");
        Require(LinesOf(list).size() == before.size() - 1);
        break;
    }
}

void CheckTownList(const SettingsHarness& h, int source, const std::string* file) {
    const StringList& lines = h.model.TownLists(source);
    const StringList& names = h.model.TownNames(source);
    Require(lines.size() == names.size());
    if (file)
        Require(lines == SplitLines(*file));
    else
        Require(lines == StringList{std::string(TheWeatherSources()[static_cast<std::size_t>(source)].defaultTown)});
    for (std::size_t k = 0; k < lines.size(); ++k) {
        Require(names[k] == lines[k].substr(0, lines[k].find('=')));
        Require(TownCodeAt(lines, static_cast<int>(k)) == SplitTownEntry(lines[k]).Code);
    }
}

// The working values and the window agree with each other and stay in range.
void CheckWorkingValues(const SettingsHarness& h) {
    const WorkingValues& v = h.values;
    Require(v.SourceIndex >= 0 && static_cast<std::size_t>(v.SourceIndex) < TheWeatherSources().size());
    Require(h.controls.resource == v.SourceIndex);
    const StringList& towns = h.model.TownLists(v.SourceIndex);
    const int town = h.controls.town;
    Require(town == kNoItem || (town >= 0 && static_cast<std::size_t>(town) < towns.size()));
    Require(v.TownCode == TownCodeAt(towns, town));  // a code of the current list, or empty
    Require(h.controls.towns == h.model.TownNames(v.SourceIndex));
    Require(h.controls.barSection >= kBarSectionMin && h.controls.barSection <= kBarSectionMax);
    Require(h.controls.scrollSpeed >= kScrollSpeedMin && h.controls.scrollSpeed <= kScrollSpeedMax);
    Require(v.ScrollInterval == 500 / h.controls.scrollSpeed);
    Require(h.controls.period >= 0 && v.UpdatePeriod == PeriodTable[static_cast<std::size_t>(h.controls.period)]);
    Require(v.UseScroll == h.controls.checks.at(PrefCheckBox::cbScroll));
    Require(v.UseProxy == h.controls.checks.at(PrefCheckBox::cbUseProxy));
    Require(v.ProxyAuth == h.controls.checks.at(PrefCheckBox::cbProxyAuth));
    Require(v.BarRefresh == h.controls.checks.at(PrefCheckBox::cbBarRefresh));
    Require(h.store.timerStarts.back() == v.UpdatePeriod);
}

std::string SavedValue(const SettingsHarness& h, SettingKey key) { return h.model.Settings().Value(KeyName(key)); }

// Whether the saved list still has a line of the key (an empty value removes one).
bool SavedLineOf(const SettingsHarness& h, SettingKey key) {
    SettingsList copy = h.model.Settings();
    copy.SetValue(KeyName(key), "");
    return LinesOf(copy).size() != LinesOf(h.model.Settings()).size();
}

// What a save must have written for the window's state.
void CheckSavedFromWindow(const SettingsHarness& h) {
    const auto flag = [&](PrefCheckBox box) { return std::string(h.controls.checks.at(box) ? "1" : "0"); };
    Require(SavedValue(h, SettingKey::Resource) == std::to_string(h.controls.resource));
    Require(SavedValue(h, SettingKey::City) == std::to_string(h.controls.town));
    Require(SavedValue(h, SettingKey::AutoUpdate) == std::to_string(h.controls.period));
    Require(SavedValue(h, SettingKey::BarSection) == std::to_string(h.controls.barSection));
    Require(SavedValue(h, SettingKey::UseScrollSpeed) == std::to_string(h.controls.scrollSpeed));
    Require(SavedValue(h, SettingKey::BarRefresh) == flag(PrefCheckBox::cbBarRefresh));
    Require(SavedValue(h, SettingKey::OldStyle) == flag(PrefCheckBox::cbOldStyle));
    Require(SavedValue(h, SettingKey::UseScroll) == flag(PrefCheckBox::cbScroll));
    Require(SavedValue(h, SettingKey::UseProxy) == flag(PrefCheckBox::cbUseProxy));
    Require(SavedValue(h, SettingKey::ProxyAuth) == flag(PrefCheckBox::cbProxyAuth));
    Require(h.store.files.at(std::string(kSettingsFileName)) == h.model.Settings().ToBytes());
}

// Whatever a file holds, what is read from it is written and read back the same.
void CheckKeptForecastRoundTrip(std::string_view bytes) {
    const auto kept = DecodeKeptForecast(bytes);
    if (!kept) return;
    const auto again = DecodeKeptForecast(EncodeKeptForecast(*kept));
    Require(again && again->sourceIndex == kept->sourceIndex && again->townCode == kept->townCode &&
            again->line == kept->line && again->fetchedAt == kept->fetchedAt);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) return 0;
    const std::uint8_t flags = data[0];
    const int townPick = static_cast<std::int8_t>(data[1]);
    const std::string_view rest(reinterpret_cast<const char*>(data + 6), size - 6);
    const std::size_t settingsSize = std::min<std::size_t>(data[2] | (data[3] << 8), rest.size());
    const std::size_t gisSize = std::min<std::size_t>(data[4] | (data[5] << 8), rest.size() - settingsSize);
    const std::string settingsFile(rest.substr(0, settingsSize));
    const std::string gisFile(rest.substr(settingsSize, gisSize));
    const std::string wuFile(rest.substr(settingsSize + gisSize));

    CheckSettingsListRoundTrip(settingsFile);
    CheckKeptForecastRoundTrip(settingsFile);

    SettingsHarness h;
    if (flags & kSettingsPresent) h.PutSettings(settingsFile);
    if (flags & kGisPresent) h.store.files["gis_towns.ini"] = gisFile;
    if (flags & kWuPresent) h.store.files["wu_towns.ini"] = wuFile;
    const std::string omFile = ow::testing::kTestOmTowns.str();  // always there: the fuzzed lists are the first two
    h.store.files["om_towns.ini"] = omFile;
    h.store.writesFail = (flags & kWritesFail) != 0;
    const auto original = h.store.files;

    h.Initialise();
    CheckTownList(h, 0, (flags & kGisPresent) ? &gisFile : nullptr);
    CheckTownList(h, 1, (flags & kWuPresent) ? &wuFile : nullptr);
    CheckTownList(h, 2, &omFile);
    const bool townFileMissing = (flags & (kGisPresent | kWuPresent)) != (kGisPresent | kWuPresent);
    if (flags & kSettingsPresent) {
        Require(LinesOf(h.model.Settings()) == SplitLines(settingsFile));
        Require(h.store.boxes.size() == (townFileMissing ? 1u : 0u));
    } else if (!h.store.writesFail) {
        CheckSavedFromWindow(h);  // a first run writes the window's design values
    }
    CheckWorkingValues(h);

    // The user picks the next source and a town, as the window would.
    if (flags & kUserSwitchesSource) {
        h.controls.SetResourceIndex((h.values.SourceIndex + 1) % static_cast<int>(TheWeatherSources().size()));
        h.model.ResourceChanged();
        h.controls.SetTownIndex(townPick);
    }
    const int savedSource = h.controls.resource;
    const std::string savedTownCode = TownCodeAt(h.model.TownLists(savedSource), h.controls.town);

    if (!h.model.SaveSettings()) {
        Require(h.store.writesFail && h.store.files == original);
        return 0;
    }
    CheckSavedFromWindow(h);

    // The saved file, loaded into a fresh window, gives the same values.
    SettingsHarness again;
    again.store.files = h.store.files;
    again.Initialise();
    CheckWorkingValues(again);
    const WorkingValues& a = again.values;
    const WorkingValues& b = h.values;
    Require(a.SourceIndex == savedSource && a.TownCode == savedTownCode);
    Require(a.UseProxy == b.UseProxy && a.ProxyAuth == b.ProxyAuth && a.BarRefresh == b.BarRefresh);
    Require(a.UseScroll == b.UseScroll && a.OldStyle == b.OldStyle);
    Require(a.ScrollInterval == b.ScrollInterval && a.UpdatePeriod == b.UpdatePeriod);
    // The spin box clamped the stored section; the save wrote what it shows.
    Require(a.BarSection == h.controls.barSection);

    // An emptied text key removes its first line only: a later line of the
    // same key is read from then on, as the file rules say, and the next
    // save removes that one too.
    bool laterDuplicateRead = false;
    const std::pair<SettingKey, const std::string*> texts[] = {
        {SettingKey::ProxyHost, &b.ProxyHost}, {SettingKey::ProxyPort, &b.ProxyPort},
        {SettingKey::ProxyLogin, &b.ProxyLogin}, {SettingKey::ProxyPass, &b.ProxyPassword}};
    const std::string* reread[] = {&a.ProxyHost, &a.ProxyPort, &a.ProxyLogin, &a.ProxyPassword};
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        const std::string& before = *texts[i].second;
        const std::string saved = SavedValue(h, texts[i].first);
        if (before.empty() && SavedLineOf(h, texts[i].first)) laterDuplicateRead = true;
        Require(*reread[i] == (before.empty() ? saved : before));
    }

    // Saving again changes nothing.
    Require(again.model.SaveSettings());
    if (!laterDuplicateRead) Require(again.SettingsFile() == h.SettingsFile());
    return 0;
}
