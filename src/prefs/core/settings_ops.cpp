#include "prefs/core/settings_ops.h"

#include "common/status_texts.h"
#include "common/timer_rules.h"
#include "prefs/core/found_places.h"
#include "prefs/core/settings_texts.h"
#include "prefs/core/town_lists.h"

namespace ow {
namespace {

std::string FlagText(bool on) { return on ? "1" : "0"; }

const SettingsList kNoSettings;
const StringList kNoTowns;

}  // namespace

SettingsModel::SettingsModel(WorkingValues& values, DisplayState& display, PrefControls& controls,
                             SettingsStore& store, UpdateTimer& updateTimer, WeatherSources sources)
    : values_(values), display_(display), controls_(controls), store_(store), updateTimer_(updateTimer),
      sources_(sources), lists_(NewLists()) {}

SettingsModel::Lists SettingsModel::NewLists() const {
    Lists lists;
    lists.townLists.resize(sources_.size());
    lists.townNames.resize(sources_.size());
    lists.shippedCounts.resize(sources_.size());
    return lists;
}

SettingsModel::Lists& SettingsModel::EnsureLists() {
    if (!lists_) lists_.emplace(NewLists());
    return *lists_;
}

const SettingsList& SettingsModel::Settings() const { return lists_ ? lists_->settings : kNoSettings; }
const StringList& SettingsModel::TownLists(int source) const {
    return lists_ ? lists_->townLists[Row(source)] : kNoTowns;
}
const StringList& SettingsModel::TownNames(int source) const {
    return lists_ ? lists_->townNames[Row(source)] : kNoTowns;
}

void SettingsModel::ReleaseLists() { lists_.reset(); }

// --- stored values ------------------------------------------------------

std::string SettingsModel::Stored(SettingKey key) const { return Settings().Value(KeyName(key)); }
bool SettingsModel::StoredFlag(SettingKey key) const { return Settings().Flag(KeyName(key)); }
int SettingsModel::StoredInt(SettingKey key) const {
    return Settings().IntValue(KeyName(key)).value_or(KeyInfo(key).unreadable);
}
// A blank "resource" is no number and so source 0, as is any value naming no source.
int SettingsModel::StoredSource() const { return SourceIndexFrom(StoredInt(SettingKey::Resource), sources_); }

std::string SettingsModel::ValueFromControls(SettingKey key) const {
    switch (key) {
        case SettingKey::Resource: return std::to_string(controls_.ResourceIndex());
        case SettingKey::City: return std::to_string(controls_.TownIndex());
        case SettingKey::AutoUpdate: return std::to_string(controls_.PeriodIndex());
        case SettingKey::BarSection: return std::to_string(controls_.BarSectionValue());
        case SettingKey::BarRefresh: return FlagText(Checked(PrefCheckBox::cbBarRefresh));
        case SettingKey::OldStyle: return FlagText(Checked(PrefCheckBox::cbOldStyle));
        case SettingKey::UseScroll: return FlagText(Checked(PrefCheckBox::cbScroll));
        case SettingKey::UseProxy: return FlagText(Checked(PrefCheckBox::cbUseProxy));
        case SettingKey::ProxyHost: return controls_.EditText(PrefEdit::eProxyHost);
        case SettingKey::ProxyPort: return controls_.EditText(PrefEdit::eProxyPort);
        case SettingKey::ProxyAuth: return FlagText(Checked(PrefCheckBox::cbProxyAuth));
        case SettingKey::ProxyLogin: return controls_.EditText(PrefEdit::eProxyLogin);
        case SettingKey::ProxyPass: return controls_.EditText(PrefEdit::eProxyPass);
        case SettingKey::UseScrollSpeed: return std::to_string(controls_.ScrollSpeed());
    }
    return {};
}

// --- town box -----------------------------------------------------------

void SettingsModel::FillTownBox(int source) {
    controls_.ClearTownItems();
    controls_.ClearTownText();
    controls_.SetTownItems(TownNames(source));
    ShowPlaceSearchFor(source);
}

void SettingsModel::ShowPlaceSearchFor(int source) {
    controls_.SetShown(PrefPart::bFindPlace, !sources_[Row(source)].foundPlacesFile.empty());
}

void SettingsModel::SelectTownIfListed(int source, int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < TownNames(source).size()) controls_.SetTownIndex(index);
}

// An empty list selects nothing and leaves no stale text in the box.
void SettingsModel::SelectFirstTown(int source) {
    if (TownNames(source).empty())
        controls_.ClearTownText();
    else
        controls_.SetTownIndex(0);
}

void SettingsModel::TakeSelectedTown(int source) {
    const int index = controls_.TownIndex();
    values_.TownCode = TownCodeAt(TownLists(source), index);
    const StringList& names = TownNames(source);
    values_.TownName = index >= 0 && static_cast<std::size_t>(index) < names.size()
                           ? names[static_cast<std::size_t>(index)]
                           : std::string();
}

// --- shared steps -------------------------------------------------------

void SettingsModel::ReadStoredProxyTexts() {
    values_.ProxyHost = Stored(SettingKey::ProxyHost);
    values_.ProxyPort = Stored(SettingKey::ProxyPort);
    values_.ProxyLogin = Stored(SettingKey::ProxyLogin);
    values_.ProxyPassword = Stored(SettingKey::ProxyPass);
}

void SettingsModel::ShowProxyTexts() {
    controls_.SetEditText(PrefEdit::eProxyHost, values_.ProxyHost);
    controls_.SetEditText(PrefEdit::eProxyPort, values_.ProxyPort);
    controls_.SetEditText(PrefEdit::eProxyLogin, values_.ProxyLogin);
    controls_.SetEditText(PrefEdit::eProxyPass, values_.ProxyPassword);
}

void SettingsModel::ShowScrollSpeedPerCheckBox() {
    controls_.SetShown(PrefPart::tbScrSpeed, Checked(PrefCheckBox::cbScroll));
}

// --- LoadSettings -------------------------------------------------------

void SettingsModel::LoadSettings() {
    Lists& lists = EnsureLists();
    controls_.SetTestText(kTestPrompt.view());
    display_.ScrollPosition = kScrollRestPosition;

    ReadTownFiles(lists);
    // The message box about missing lists lets the host's messages run, and
    // the plug-in may have been finalised meanwhile: its form is gone and the
    // lists with it, so nothing more is read, shown, written or started.
    if (!lists_) return;

    controls_.ClearTownText();
    controls_.SetTownItems(lists.townNames[0]);
    ShowPlaceSearchFor(0);
    SelectFirstTown(0);
    TakeSelectedTown(0);

    ResetWorkingValues();

    if (const auto bytes = store_.ReadFile(kSettingsFileName))
        ReadSettingsFile(lists, *bytes);
    else
        SaveSettings();  // a first run: the file from the window's design values

    updateTimer_.StartUpdateTimer(values_.UpdatePeriod);
}

// The last source first, so the message names "wu_towns.ini" before "gis_towns.ini".
void SettingsModel::ReadTownFiles(Lists& lists) {
    std::string missing;
    for (std::size_t row = sources_.size(); row-- > 0;) {
        StringList& townList = lists.townLists[row];
        StringList& townNames = lists.townNames[row];
        townList.clear();
        townNames.clear();
        const std::string_view fileName = sources_[row].townListFile;
        if (const auto bytes = store_.ReadFile(fileName)) {
            ReadTownList(*bytes, townList, townNames);
        } else {
            if (!missing.empty()) missing += kMissingFilesSeparator;
            missing += fileName;
            AddDefaultTown(sources_[row].defaultTown, townList, townNames);
        }
        lists.shippedCounts[row] = townList.size();
        const std::string_view foundFile = sources_[row].foundPlacesFile;
        if (foundFile.empty()) continue;
        // Missing until the first place is found: no message.
        if (const auto bytes = store_.ReadFile(foundFile)) ReadTownList(*bytes, townList, townNames);
    }
    if (!missing.empty()) store_.ShowMessageBox(kSettingsErrorCaption.view(), MissingTownFilesText(missing));
}

void SettingsModel::ResetWorkingValues() {
    const WorkingValues initial;
    values_.UpdatePeriod = PeriodFor(controls_.PeriodIndex());
    values_.UseScroll = Checked(PrefCheckBox::cbScroll);
    values_.OldStyle = Checked(PrefCheckBox::cbOldStyle);
    values_.BarRefresh = initial.BarRefresh;
    values_.BarSection = initial.BarSection;
    values_.ScrollInterval = ScrollIntervalFor(controls_.ScrollSpeed());
    values_.UseProxy = initial.UseProxy;
    values_.ProxyAuth = initial.ProxyAuth;
    values_.ProxyHost = initial.ProxyHost;
    values_.ProxyPort = initial.ProxyPort;
    values_.ProxyLogin = initial.ProxyLogin;
    values_.ProxyPassword = initial.ProxyPassword;
}

void SettingsModel::ReadSettingsFile(Lists& lists, const std::string& bytes) {
    lists.settings.Assign(bytes);

    values_.SourceIndex = StoredSource();
    controls_.SetResourceIndex(values_.SourceIndex);

    FillTownBox(values_.SourceIndex);
    SelectTownIfListed(values_.SourceIndex, StoredInt(SettingKey::City));

    controls_.SetBarSectionValue(StoredInt(SettingKey::BarSection));
    controls_.SetPeriodIndex(PeriodIndexFrom(StoredInt(SettingKey::AutoUpdate)));

    controls_.SetChecked(PrefCheckBox::cbScroll, StoredFlag(SettingKey::UseScroll));
    controls_.SetChecked(PrefCheckBox::cbOldStyle, StoredFlag(SettingKey::OldStyle));
    controls_.SetChecked(PrefCheckBox::cbBarRefresh, StoredFlag(SettingKey::BarRefresh));

    controls_.SetScrollSpeed(StoredInt(SettingKey::UseScrollSpeed));
    ShowScrollSpeedPerCheckBox();

    controls_.SetChecked(PrefCheckBox::cbUseProxy, StoredFlag(SettingKey::UseProxy));
    controls_.SetChecked(PrefCheckBox::cbProxyAuth, StoredFlag(SettingKey::ProxyAuth));
    controls_.SetShown(PrefPart::gbProxy, Checked(PrefCheckBox::cbUseProxy));

    values_.UpdatePeriod = PeriodFor(controls_.PeriodIndex());
    values_.UseScroll = Checked(PrefCheckBox::cbScroll);
    values_.UseProxy = Checked(PrefCheckBox::cbUseProxy);
    ReadStoredProxyTexts();
    values_.BarRefresh = StoredFlag(SettingKey::BarRefresh);
    values_.BarSection = controls_.BarSectionValue();
    ShowProxyTexts();
    values_.ScrollInterval = ScrollIntervalFor(controls_.ScrollSpeed());

    TakeSelectedTown(values_.SourceIndex);
}

// --- ApplySettings ------------------------------------------------------

void SettingsModel::ApplySettings() {
    // Released lists mean the form is gone (the plug-in was finalised in a
    // message box of an earlier step): there is nothing to apply to.
    if (!lists_) return;
    display_.ScrollPosition = kScrollRestPosition;

    values_.SourceIndex = StoredSource();
    controls_.SetResourceIndex(values_.SourceIndex);

    FillTownBox(values_.SourceIndex);
    SelectTownIfListed(values_.SourceIndex, StoredInt(SettingKey::City));

    controls_.SetPeriodIndex(PeriodIndexFrom(StoredInt(SettingKey::AutoUpdate)));

    controls_.SetChecked(PrefCheckBox::cbScroll, StoredFlag(SettingKey::UseScroll));
    controls_.SetScrollSpeed(StoredInt(SettingKey::UseScrollSpeed));

    values_.OldStyle = StoredFlag(SettingKey::OldStyle);

    controls_.SetChecked(PrefCheckBox::cbUseProxy, StoredFlag(SettingKey::UseProxy));
    controls_.SetShown(PrefPart::gbProxy, Checked(PrefCheckBox::cbUseProxy));
    values_.UseProxy = Checked(PrefCheckBox::cbUseProxy);

    ReadStoredProxyTexts();
    values_.ProxyAuth = StoredFlag(SettingKey::ProxyAuth);

    values_.BarSection = BarSectionFromStored(StoredInt(SettingKey::BarSection));
    values_.BarRefresh = StoredFlag(SettingKey::BarRefresh);
    controls_.SetChecked(PrefCheckBox::cbBarRefresh, values_.BarRefresh);

    controls_.SetChecked(PrefCheckBox::cbProxyAuth, values_.ProxyAuth);
    controls_.SetChecked(PrefCheckBox::cbOldStyle, values_.OldStyle);
    ShowProxyTexts();
    controls_.SetShown(PrefPart::ProxyLoginFields, values_.ProxyAuth);
    ShowScrollSpeedPerCheckBox();

    TakeSelectedTown(values_.SourceIndex);

    values_.UseScroll = Checked(PrefCheckBox::cbScroll);
    values_.ScrollInterval = ScrollIntervalFor(controls_.ScrollSpeed());
    values_.UpdatePeriod = PeriodFor(controls_.PeriodIndex());

    updateTimer_.StartUpdateTimer(values_.UpdatePeriod);
}

// --- SaveSettings -------------------------------------------------------

bool SettingsModel::SaveSettings() {
    SettingsList& settings = EnsureLists().settings;
    for (const SettingKeyInfo& info : kSettingKeys) settings.SetValue(info.name, ValueFromControls(info.key));

    if (!store_.WriteFileAtomically(kSettingsFileName, settings.ToBytes())) {
        store_.ShowMessageBox(kSettingsErrorCaption.view(), SettingsNotSavedText(kSettingsFileName));
        return false;
    }
    store_.WriteDebugLog(kSaveSettingsLogLine);
    return true;
}

// --- window handlers ----------------------------------------------------

std::string SettingsModel::TestPrepare() {
    display_.ScrollPosition = kScrollRestPosition;

    TakeWindowProxy(values_);

    values_.SourceIndex = SourceIndexFrom(controls_.ResourceIndex(), sources_);
    TakeSelectedTown(values_.SourceIndex);
    return values_.TownCode;
}

void SettingsModel::TakeWindowProxy(WorkingValues& values) const {
    values.UseProxy = Checked(PrefCheckBox::cbUseProxy);
    if (values.UseProxy) {
        values.ProxyHost = controls_.EditText(PrefEdit::eProxyHost);
        values.ProxyPort = controls_.EditText(PrefEdit::eProxyPort);
        values.ProxyAuth = Checked(PrefCheckBox::cbProxyAuth);
        values.ProxyLogin = values.ProxyAuth ? controls_.EditText(PrefEdit::eProxyLogin) : std::string();
        values.ProxyPassword = values.ProxyAuth ? controls_.EditText(PrefEdit::eProxyPass) : std::string();
    }
}

WorkingValues SettingsModel::WindowProxyValues() const {
    WorkingValues values;
    TakeWindowProxy(values);
    return values;
}

std::string SettingsModel::TestTownMissingText() const {
    std::string text(kTownMissingHead.view());
    text.append(controls_.TownText()).append(kTownMissingTail.view());
    return WithWeatherPrefix(text);
}

void SettingsModel::TestRestore() {
    values_.UseProxy = StoredFlag(SettingKey::UseProxy);
    values_.ProxyAuth = StoredFlag(SettingKey::ProxyAuth);
    ReadStoredProxyTexts();
    values_.SourceIndex = StoredSource();
}

void SettingsModel::ResourceChanged() {
    const int source = SourceIndexFrom(controls_.ResourceIndex(), sources_);
    controls_.SetTownItems(TownNames(source));
    ShowPlaceSearchFor(source);
    SelectFirstTown(source);
}

bool SettingsModel::ChooseFoundPlace(const FoundPlace& place) {
    if (!lists_) return false;
    const std::size_t row = Row(controls_.ResourceIndex());
    const std::string_view file = sources_[row].foundPlacesFile;
    if (file.empty()) return false;
    StringList& lines = lists_->townLists[row];
    StringList& names = lists_->townNames[row];
    int index = FindPlaceEntry(lines, PlaceCode(place.latitude, place.longitude));
    if (index == kNoItem) {
        // The file as it is now; if it cannot be read, the places it held
        // when the lists were loaded, so that none is lost by the rewrite.
        std::string before;
        if (auto bytes = store_.ReadFile(file)) {
            before = std::move(*bytes);
        } else {
            for (std::size_t i = lists_->shippedCounts[row]; i < lines.size(); ++i) before.append(lines[i]).append("\r\n");
        }
        const std::string entry = FoundPlaceEntry(place);
        if (!store_.WriteFileAtomically(file, WithEntryAdded(before, entry))) {
            // Modal: the plug-in may be finalised inside it, so nothing follows.
            store_.ShowMessageBox(kSettingsErrorCaption.view(), SettingsNotSavedText(file));
            return false;
        }
        ReadTownList(entry, lines, names);
        index = static_cast<int>(lines.size()) - 1;
        controls_.SetTownItems(names);
    }
    controls_.SetTownIndex(index);
    return true;
}

}  // namespace ow
