#include "prefs/core/settings_keys.h"

#include <algorithm>

#include "prefs/core/pref_controls.h"

namespace ow {

namespace {
constexpr bool TableInKeyOrder() {
    for (std::size_t i = 0; i < kSettingKeys.size(); ++i)
        if (static_cast<std::size_t>(kSettingKeys[i].key) != i) return false;
    return true;
}
static_assert(TableInKeyOrder(), "kSettingKeys must list SettingKey in declaration order");

constexpr int kStatusBarSectionLimit = 255;  // SB_SETTEXTA takes the part in one byte
}  // namespace

int BarSectionFromStored(int stored) {
    if (stored >= 0 && stored <= kStatusBarSectionLimit) return stored;
    return std::clamp(stored, kBarSectionMin, kBarSectionMax);
}

}  // namespace ow
