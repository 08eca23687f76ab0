#pragma once
// The preferences window's controls as one table: kind, parent, position,
// text, tab order and design state. The form is built from it, and the Tab
// key walks it.
#include <windows.h>

#include <array>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "prefs/core/pref_controls.h"

namespace ow {

enum class PrefKind {
    TabControl,     // pcPages
    Page,           // a page of pcPages; text = tab caption
    Group,          // gbProxy: a captionless frame holding controls
    Label,
    EditLabel,      // label placed on the left of the edit it names
    PushButton,
    DefaultButton,  // drawn as the button Enter presses
    CheckBox,
    DropDownList,   // combo box, no typing
    DropDownCombo,  // combo box with editable text
    Edit,
    FlatReadOnlyEdit,
    PasswordEdit,
    TrackBar,
    SpinBox,        // read-only number box with up-down arrows
};

struct PrefControlSpec {
    int id = 0;
    int parent = 0;  // 0: the form itself
    PrefKind kind = PrefKind::Label;
    int left = 0, top = 0, width = 0, height = 0;  // in the parent; unused for pages and edit labels
    std::string_view text = {};
    int tab = -1;          // place in the parent's tab order, -1: not in it
    bool shown = true;     // visible at design
    bool ticked = false;   // check boxes: ticked at design
    int labelFor = 0;      // EditLabel: the edit it names
    std::span<const std::string_view> items = {};  // combo box items at design
    bool sourceItems = false;  // the items are the weather sources' names instead
    int selected = -1;     // combo box item selected at design, -1: none
    std::string_view hint = {};  // tooltip text, empty: none
};

std::span<const PrefControlSpec> PrefLayout();
const PrefControlSpec* FindSpec(int id);

// Window classes of the containers (pages and gbProxy).
inline constexpr char kPageClass[] = "OwPrefPage";
inline constexpr char kGroupClass[] = "OwPrefGroup";

// The control windows, by id; the spin box is its number box (the arrows
// are looked up separately).
class PrefWindows {
public:
    HWND Item(int id) const;
    void Set(int id, HWND window);

private:
    std::vector<std::pair<int, HWND>> windows_;
};

struct PrefSpinLimits {
    int low, high, design;
};
inline constexpr PrefSpinLimits kBarSectionSpin = {kBarSectionMin, kBarSectionMax, 2};
inline constexpr PrefSpinLimits kScrollSpeedBar = {kScrollSpeedMin, kScrollSpeedMax, 1};
inline constexpr int kScrollThumbLength = 10;

// Creates every control of the table under `form`, in table order, with
// `font`. `created` runs for each control window right after it exists and
// before any companion window (spin arrows, tooltip) attaches to it, so a
// subclass installed there sits below theirs.
// `sourceNames` are the items of the source box.
PrefWindows CreatePrefControls(HWND form, HINSTANCE module, HFONT font, void* containerParam,
                               std::span<const std::string_view> sourceNames,
                               const std::function<void(HWND, const PrefControlSpec&)>& created);

// Ids of the focusable controls in Tab order, the controls of `activePage`
// only among the pages, containers entered where they stand.
std::vector<int> TabOrderIds(int activePageId);

}  // namespace ow
