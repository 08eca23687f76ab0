#pragma once
// The one table of settings keys. Load, apply and save name every key
// through it; its order is the order in which a save writes the keys, and so
// the line order of a newly created file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ow {

enum class SettingKey {
    Resource,
    City,
    AutoUpdate,
    BarSection,
    BarRefresh,
    OldStyle,
    UseScroll,
    UseProxy,
    ProxyHost,
    ProxyPort,
    ProxyAuth,
    ProxyLogin,
    ProxyPass,
    UseScrollSpeed,
};

enum class SettingKind {
    Integer,  // decimal
    Flag,     // "1" or "0"; only "1" reads as true
    Text,     // as typed; empty means no line in the file
};

struct SettingKeyInfo {
    SettingKey key;
    std::string_view name;
    SettingKind kind;
    // The window's design value, and so what a first run writes ("" = no line).
    std::string_view design;
    // Integer keys: the value taken when the stored text is missing or no
    // decimal 32-bit number. "city" takes "no town" rather than the first one:
    // a town that cannot be read is not in the list.
    int unreadable;
};

inline constexpr std::array<SettingKeyInfo, 14> kSettingKeys = {{
    {SettingKey::Resource, "resource", SettingKind::Integer, "0", 0},
    {SettingKey::City, "city", SettingKind::Integer, "0", -1},
    {SettingKey::AutoUpdate, "autoupdate", SettingKind::Integer, "0", 0},
    {SettingKey::BarSection, "bar-section", SettingKind::Integer, "2", 2},
    {SettingKey::BarRefresh, "bar-refresh", SettingKind::Flag, "1", 0},
    {SettingKey::OldStyle, "old-style", SettingKind::Flag, "0", 0},
    {SettingKey::UseScroll, "use-scroll", SettingKind::Flag, "1", 0},
    {SettingKey::UseProxy, "use-proxy", SettingKind::Flag, "0", 0},
    {SettingKey::ProxyHost, "proxy-host", SettingKind::Text, "", 0},
    {SettingKey::ProxyPort, "proxy-port", SettingKind::Text, "1080", 0},
    {SettingKey::ProxyAuth, "proxy-auth", SettingKind::Flag, "0", 0},
    {SettingKey::ProxyLogin, "proxy-login", SettingKind::Text, "", 0},
    {SettingKey::ProxyPass, "proxy-pass", SettingKind::Text, "", 0},
    {SettingKey::UseScrollSpeed, "use-scroll-speed", SettingKind::Integer, "1", 1},
}};

constexpr const SettingKeyInfo& KeyInfo(SettingKey key) {
    return kSettingKeys[static_cast<std::size_t>(key)];
}
constexpr std::string_view KeyName(SettingKey key) { return KeyInfo(key).name; }

// The two sources: 0 the Gismeteo informer, 1 the Weather Underground feed.
// Every table indexed by SourceIndex has this many rows.
inline constexpr int kSourceCount = 2;

// Update intervals in ms, indexed by the item index of cbPeriod.
inline constexpr std::array<std::int64_t, 4> PeriodTable = {1800000, 3600000, 21600000, 43200000};

// A stored or selected source that names none of the sources is source 0.
int SourceIndexFrom(int index);
// A stored "autoupdate" outside the rows of PeriodTable is row 0.
int PeriodIndexFrom(int index);
// The interval of a cbPeriod item index; no item (-1) or any index outside
// the table gives row 0, half an hour.
std::int64_t PeriodFor(int periodIndex);
// Ticker interval: 500 div the tbScrSpeed position, the position taken
// into the track bar's range so the divisor is never zero.
int ScrollIntervalFor(int speedPosition);
// BarSection as stored: kept when the low byte of SB_SETTEXTA can address
// it (0..255), else taken into the spin box's range, as the window shows it.
int BarSectionFromStored(int stored);

}  // namespace ow
