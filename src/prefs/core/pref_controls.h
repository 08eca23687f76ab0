#pragma once
// The preferences window's controls as the settings operations use them.
// The Win32 form implements this with its real controls; the unit tests with
// a fake. Implementations behave like the controls: a combo box given an index
// outside its items selects none, the spin box and the track bar clamp.
#include <string>
#include <string_view>

#include "common/timer_rules.h"
#include "prefs/core/text_lines.h"

namespace ow {

inline constexpr int kNoItem = -1;  // combo box item index when none is selected

inline constexpr int kBarSectionMin = 0;  // sebarSection range
inline constexpr int kBarSectionMax = 10;

enum class PrefCheckBox { cbScroll, cbOldStyle, cbBarRefresh, cbUseProxy, cbProxyAuth };
enum class PrefEdit { eProxyHost, eProxyPort, eProxyLogin, eProxyPass };
enum class PrefPart {
    tbScrSpeed,
    gbProxy,
    ProxyLoginFields,  // eProxyLogin and eProxyPass with their labels
    bFindPlace,        // the place search's button beside cbTowns
};

class PrefControls {
public:
    virtual ~PrefControls() = default;

    // cbResource: item index = SourceIndex.
    virtual int ResourceIndex() const = 0;
    virtual void SetResourceIndex(int index) = 0;

    // cbTowns: an editable combo box. Replacing the items selects none.
    virtual void SetTownItems(const StringList& names) = 0;
    virtual void ClearTownItems() = 0;
    virtual void ClearTownText() = 0;
    virtual int TownIndex() const = 0;             // kNoItem when none
    virtual void SetTownIndex(int index) = 0;      // kNoItem selects none
    virtual std::string TownText() const = 0;      // as shown, typed text included

    // cbPeriod: item index into PeriodTable.
    virtual int PeriodIndex() const = 0;
    virtual void SetPeriodIndex(int index) = 0;

    // sebarSection: clamps into kBarSectionMin..kBarSectionMax.
    virtual int BarSectionValue() const = 0;
    virtual void SetBarSectionValue(int value) = 0;

    // tbScrSpeed: clamps into kScrollSpeedMin..kScrollSpeedMax.
    virtual int ScrollSpeed() const = 0;
    virtual void SetScrollSpeed(int position) = 0;

    virtual bool IsChecked(PrefCheckBox box) const = 0;
    virtual void SetChecked(PrefCheckBox box, bool checked) = 0;

    virtual std::string EditText(PrefEdit edit) const = 0;
    virtual void SetEditText(PrefEdit edit, std::string_view text) = 0;

    // eTest, the read-only test result box.
    virtual void SetTestText(std::string_view text) = 0;

    virtual void SetShown(PrefPart part, bool shown) = 0;
};

}  // namespace ow
