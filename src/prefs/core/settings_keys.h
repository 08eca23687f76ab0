#pragma once
// The one table of settings keys. Load, apply and save name every key
// through it; its order is the order in which a save writes the keys, and so
// the line order of a newly created file.
#include <array>
#include <cstddef>
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

struct SettingKeyInfo {
    SettingKey key;
    std::string_view name;
    // Integer keys: the value taken when the stored text is missing or no
    // decimal 32-bit number. "city" takes "no town" rather than the first one:
    // a town that cannot be read is not in the list.
    int unreadable;
};

inline constexpr std::array<SettingKeyInfo, 14> kSettingKeys = {{
    {SettingKey::Resource, "resource", 0},
    {SettingKey::City, "city", -1},
    {SettingKey::AutoUpdate, "autoupdate", 0},
    {SettingKey::BarSection, "bar-section", 2},
    {SettingKey::BarRefresh, "bar-refresh", 0},
    {SettingKey::OldStyle, "old-style", 0},
    {SettingKey::UseScroll, "use-scroll", 0},
    {SettingKey::UseProxy, "use-proxy", 0},
    {SettingKey::ProxyHost, "proxy-host", 0},
    {SettingKey::ProxyPort, "proxy-port", 0},
    {SettingKey::ProxyAuth, "proxy-auth", 0},
    {SettingKey::ProxyLogin, "proxy-login", 0},
    {SettingKey::ProxyPass, "proxy-pass", 0},
    {SettingKey::UseScrollSpeed, "use-scroll-speed", 1},
}};

constexpr const SettingKeyInfo& KeyInfo(SettingKey key) {
    return kSettingKeys[static_cast<std::size_t>(key)];
}
constexpr std::string_view KeyName(SettingKey key) { return KeyInfo(key).name; }

// BarSection as stored: kept when the low byte of SB_SETTEXTA can address
// it (0..255), else taken into the spin box's range, as the window shows it.
int BarSectionFromStored(int stored);

}  // namespace ow
